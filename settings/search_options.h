// SearchOptions: how the lookup window searches, kept in section "search" of
// the settings file: the search mode, the fields a full-text search looks in,
// and whether katakana and hiragana count as the same. The words searched
// last are kept in section "history", newest first, each with the mode it
// was searched in and the fields of a full-text search. Neither section touches
// the keys of section "dictionary". The defaults are the prefix search.
#pragma once

#include <string>
#include <vector>

#include "engine/search/search_request.h"
#include "settings/ini_file.h"

namespace tavlex {

struct SearchOptions {
  SearchMode mode = SearchMode::kPrefix;
  FieldSet fields = kChoosableFields;
  bool foldKana = false;

  bool operator==(const SearchOptions&) const = default;
};

// A word of the history as it was searched. fields count in the full-text search only.
struct HistoryEntry {
  std::u16string word;
  SearchMode mode = SearchMode::kPrefix;
  FieldSet fields = kChoosableFields;

  bool operator==(const HistoryEntry&) const = default;
};

inline constexpr char16_t kSearchSection[] = u"search";
inline constexpr char16_t kHistorySection[] = u"history";
// Words kept in the history.
inline constexpr size_t kHistoryLength = 100;

// The other end of the key that switches between the prefix search and the
// full-text search: full text from any mode but full text itself.
SearchMode ToggledMode(SearchMode mode);

// Absent keys, and a mode name that is not one of ours, give the defaults.
SearchOptions LoadSearchOptions(const IniFile& ini);
// Sets "mode" (exact, prefix, suffix, substring or fulltext), "headword",
// "translation", "example", "pronunciation" and "kana", in that order.
void SaveSearchOptions(const SearchOptions& options, IniFile& ini);

// The history, newest first, at most kHistoryLength words; empty values are
// skipped. A word without a mode key (as older files keep them), or with a
// mode name that is not ours, comes back in the prefix search; a full-text
// word without its fields key in all the fields.
std::vector<HistoryEntry> LoadHistory(const IniFile& ini);
// Writes "1" = the newest word onwards, "mode1" beside a word not searched by
// prefix and "fields1" (names, comma-separated) beside a full-text one, and
// empties keys a longer history had left behind. A word the file cannot hold
// is left out.
void SaveHistory(const std::vector<HistoryEntry>& newestFirst, IniFile& ini);

}  // namespace tavlex
