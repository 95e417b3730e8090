// How tavlex-lookup prints one entry as the viewer's display shows it. The
// JSON form, which tavlex-dump shares, is in tools/formats/json_entry.h.
#pragma once

#include <string>

#include "engine/dictionary_settings.h"
#include "engine/entry.h"

namespace tavlex::lookup {

// The parts the viewer shows for an entry, each ending in a line break; a
// CR LF inside a part is a line break too.
std::string FormatPlainEntry(const Entry& entry, const DictionarySettings& settings);

}  // namespace tavlex::lookup
