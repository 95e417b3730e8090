// The vocabulary of a search, shared by the window, the settings file and
// tavlex-lookup: the modes and fields with their names, a request, the word a
// search takes from what was typed, and which requests are the plain prefix
// search that every dictionary runs on its own.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/entry_fields.h"

namespace tavlex {

// kScan reads the text as a selected text is read (engine/search/text_scan.h):
// the longest start of it that is a headword once its inflections are undone.
enum class SearchMode { kExact, kPrefix, kSuffix, kSubstring, kFullText, kScan };

struct SearchRequest {
  SearchMode mode = SearchMode::kPrefix;
  std::u16string text;
  FieldSet fields = kAllFields;  // full text only; the headword brings its display form along
  bool foldKana = false;
};

// The fields a user chooses among; the headword brings its display form along.
inline constexpr FieldSet kChoosableFields = kAllFields & ~FieldBit(SearchField::kDisplay);

// Names as the settings file, the command line and the JSON output spell
// them. A new mode or field is one more row.
struct SearchModeName {
  SearchMode mode;
  std::u16string_view name;
};
inline constexpr std::array<SearchModeName, 6> kSearchModeNames = {{
    {SearchMode::kExact, u"exact"},
    {SearchMode::kPrefix, u"prefix"},
    {SearchMode::kSuffix, u"suffix"},
    {SearchMode::kSubstring, u"substring"},
    {SearchMode::kFullText, u"fulltext"},
    {SearchMode::kScan, u"scan"},
}};

struct SearchFieldName {
  SearchField field;
  std::u16string_view name;
};
// In the order of SearchField; the display form is never chosen on its own.
inline constexpr std::array<SearchFieldName, kSearchFieldCount> kSearchFieldNames = {{
    {SearchField::kHeadword, u"headword"},
    {SearchField::kDisplay, u"display"},
    {SearchField::kTranslation, u"translation"},
    {SearchField::kExample, u"example"},
    {SearchField::kPronunciation, u"pronunciation"},
}};

std::u16string_view NameOf(SearchMode mode);
std::u16string_view NameOf(SearchField field);
std::optional<SearchMode> SearchModeNamed(std::u16string_view name);
// Only the fields a user chooses among (kChoosableFields).
std::optional<SearchField> ChoosableFieldNamed(std::u16string_view name);
// "exact, prefix, …": for a message that lists what may be given.
std::u16string SearchModeList();
std::u16string ChoosableFieldList();

// The word a search in mode takes from text as typed: the prefix search
// strips spaces, quotes, ? . , ! and brackets at both ends; the other modes
// trim spaces only and keep quotes (a phrase) and wildcards.
std::u16string SearchWord(SearchMode mode, std::u16string_view text);

// The prefix search without wildcards: each dictionary's own search of its
// sorted headwords, compared as stored, with the inflection search after it.
bool IsPlainPrefixSearch(SearchMode mode, std::u16string_view word);
inline bool IsPlainPrefixSearch(const SearchRequest& request) {
  return IsPlainPrefixSearch(request.mode, request.text);
}

// The modes that search inflected forms too (prefix and exact).
bool HasInflections(SearchMode mode);

}  // namespace tavlex
