// An entry as one line of JSON with every field: what tavlex-lookup --json
// prints for each entry found and tavlex-dump --json for each entry it reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/entry.h"

namespace tavlex::formats {

// One JSON object and a line break: the dictionary's path, the query as the
// user gave it (left out when there is none), then every field of the entry,
// then extra: the caller's own members, each after a comma (",\"name\":value").
std::string FormatJsonEntry(const Entry& entry, std::u16string_view dictionaryPath,
                            std::optional<std::u16string_view> query, std::string_view extra = {});

}  // namespace tavlex::formats
