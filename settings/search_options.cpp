#include "settings/search_options.h"

#include <array>
#include <bit>
#include <utility>

#include "settings/key_visitors.h"

namespace tavlex {
namespace {

// The fields a user chooses among, each an on/off key named as the field.
constexpr size_t kFieldKeys = std::popcount(kChoosableFields);

std::array<SearchField, kFieldKeys> ChoosableFields() {
  std::array<SearchField, kFieldKeys> fields{};
  size_t i = 0;
  for (const SearchFieldName& row : kSearchFieldNames) {
    if (kChoosableFields & FieldBit(row.field)) fields[i++] = row.field;
  }
  return fields;
}

template <typename Visitor>
void VisitOptions(std::u16string& mode, bool (&fields)[kFieldKeys], bool& foldKana, Visitor&& visit) {
  visit(u"mode", mode);
  const std::array<SearchField, kFieldKeys> keys = ChoosableFields();
  for (size_t i = 0; i < kFieldKeys; ++i) {
    visit(std::u16string(NameOf(keys[i])).c_str(), ExactSwitch{fields[i], true});
  }
  visit(u"kana", ExactSwitch{foldKana, false});
}

std::u16string HistoryKey(size_t i) {
  const std::string digits = std::to_string(i + 1);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

SearchMode ToggledMode(SearchMode mode) {
  return mode == SearchMode::kFullText ? SearchMode::kPrefix : SearchMode::kFullText;
}

SearchOptions LoadSearchOptions(const IniFile& ini) {
  std::u16string mode;
  bool fields[kFieldKeys];
  SearchOptions options;
  VisitOptions(mode, fields, options.foldKana, KeyReader{ini, kSearchSection});
  options.mode = SearchModeNamed(mode).value_or(SearchMode::kPrefix);
  options.fields = 0;
  const std::array<SearchField, kFieldKeys> keys = ChoosableFields();
  for (size_t i = 0; i < kFieldKeys; ++i) {
    if (fields[i]) options.fields |= FieldBit(keys[i]);
  }
  return options;
}

void SaveSearchOptions(const SearchOptions& options, IniFile& ini) {
  std::u16string mode(NameOf(options.mode));
  bool fields[kFieldKeys];
  const std::array<SearchField, kFieldKeys> keys = ChoosableFields();
  for (size_t i = 0; i < kFieldKeys; ++i) fields[i] = options.fields & FieldBit(keys[i]);
  bool foldKana = options.foldKana;
  VisitOptions(mode, fields, foldKana, KeyWriter{ini, kSearchSection});
}

std::vector<std::u16string> LoadHistory(const IniFile& ini) {
  std::vector<std::u16string> words;
  for (size_t i = 0; i < kHistoryLength; ++i) {
    std::u16string word = ini.GetString(kHistorySection, HistoryKey(i));
    if (!word.empty()) words.push_back(std::move(word));
  }
  return words;
}

void SaveHistory(const std::vector<std::u16string>& newestFirst, IniFile& ini) {
  size_t written = 0;
  for (const std::u16string& word : newestFirst) {
    if (written == kHistoryLength) break;
    // A word that would not read back as it is (a comment mark cuts it, say) is left out.
    ini.SetString(kHistorySection, HistoryKey(written), word);
    if (ini.GetString(kHistorySection, HistoryKey(written)) == word) ++written;
  }
  for (size_t i = written; i < kHistoryLength; ++i) {
    if (!ini.GetString(kHistorySection, HistoryKey(i)).empty())
      ini.SetString(kHistorySection, HistoryKey(i), u"");
  }
}

}  // namespace tavlex
