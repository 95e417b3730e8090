#include "engine/search/search_request.h"

#include "engine/search/search_pattern.h"
#include "engine/text/text.h"

namespace tavlex {
namespace {

static_assert(kSearchFieldNames.size() == kSearchFieldCount);

constexpr std::u16string_view kSpaces = u" \u3000";

template <typename Table>
std::u16string JoinedNames(const Table& table, FieldSet only = kAllFields) {
  std::u16string list;
  for (const auto& row : table) {
    if constexpr (requires { row.field; }) {
      if (!(only & FieldBit(row.field))) continue;
    }
    if (!list.empty()) list += u", ";
    list += row.name;
  }
  return list;
}

}  // namespace

std::u16string_view NameOf(SearchMode mode) {
  for (const SearchModeName& row : kSearchModeNames) {
    if (row.mode == mode) return row.name;
  }
  return {};
}

std::u16string_view NameOf(SearchField field) { return kSearchFieldNames[static_cast<size_t>(field)].name; }

std::optional<SearchMode> SearchModeNamed(std::u16string_view name) {
  for (const SearchModeName& row : kSearchModeNames) {
    if (row.name == name) return row.mode;
  }
  return std::nullopt;
}

std::optional<SearchField> ChoosableFieldNamed(std::u16string_view name) {
  for (const SearchFieldName& row : kSearchFieldNames) {
    if (row.name == name && (kChoosableFields & FieldBit(row.field))) return row.field;
  }
  return std::nullopt;
}

std::u16string SearchModeList() { return JoinedNames(kSearchModeNames); }
std::u16string ChoosableFieldList() { return JoinedNames(kSearchFieldNames, kChoosableFields); }

std::u16string SearchWord(SearchMode mode, std::u16string_view text) {
  if (mode == SearchMode::kPrefix) return StripSearchWord(text);
  const size_t first = text.find_first_not_of(kSpaces);
  if (first == std::u16string_view::npos) return {};
  return std::u16string(text.substr(first, text.find_last_not_of(kSpaces) - first + 1));
}

bool IsPlainPrefixSearch(SearchMode mode, std::u16string_view word) {
  return mode == SearchMode::kPrefix && !HasWildcard(word);
}

bool HasInflections(SearchMode mode) { return mode == SearchMode::kPrefix || mode == SearchMode::kExact; }

}  // namespace tavlex
