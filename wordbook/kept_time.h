// The times of kept entries, in milliseconds since 1970-01-01 UTC, as the
// exports write them, as people read them, and as a user types one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavlex::wordbook {

// "2026-12-09T05:03:27Z": ISO 8601 in UTC, to the second.
std::string UtcTime(int64_t ms);

// "2026-12-09 14:03": the local time, to the minute.
std::string LocalTime(int64_t ms);

// The local time "YYYY-MM-DD", "YYYY-MM-DD HH:MM" or "YYYY-MM-DDTHH:MM[:SS]"
// in milliseconds (a date alone: its midnight); none for anything else, a
// date that does not exist (2026-02-30) among it.
std::optional<int64_t> ParseLocalTime(std::string_view text);

}  // namespace tavlex::wordbook
