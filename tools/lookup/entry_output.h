// How tavlex-lookup prints one entry: as the viewer's display shows it, or as
// one line of JSON with every field.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/dictionary_settings.h"
#include "engine/entry.h"

namespace tavlex::lookup {

// The parts the viewer shows for an entry, each ending in a line break; a
// CR LF inside a part is a line break too.
std::string FormatPlainEntry(const Entry& entry, const DictionarySettings& settings);

// One JSON object and a line break: the dictionary's path, the query as the
// user gave it (left out when there is none), then every field of the entry.
std::string FormatJsonEntry(const Entry& entry, std::u16string_view dictionaryPath,
                            std::optional<std::u16string_view> query);

}  // namespace tavlex::lookup
