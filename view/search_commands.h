// The 検索 menu's commands that change how the window searches: a search mode
// each, the full-text search's fields, the switch between the prefix and the
// full-text search, and the kana option. What each makes of the search
// options, whether its item is checked, and the name a mode shows under.
#pragma once

#include <optional>
#include <string_view>

#include "settings/search_options.h"

namespace tavlex {

// The options after command; none for a command that is not one of these.
std::optional<SearchOptions> SearchOptionsAfter(int command, SearchOptions options);

// Whether command's menu item is checked under options; none for a command
// that is not one of these or has no check (the switch).
std::optional<bool> SearchCommandChecked(int command, const SearchOptions& options);

// The mode's name as the menu has it: "前方一致", "全文検索", ….
std::u16string_view ModeName(SearchMode mode);

}  // namespace tavlex
