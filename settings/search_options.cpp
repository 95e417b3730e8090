#include "settings/search_options.h"

#include <algorithm>
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

std::u16string HistoryKey(size_t i, std::u16string_view prefix = u"") {
  const std::string digits = std::to_string(i + 1);
  return std::u16string(prefix) + std::u16string(digits.begin(), digits.end());
}

// "translation,example"; "none" for no field, which no field is named.
std::u16string FieldNames(FieldSet fields) {
  if (!(fields & kChoosableFields)) return u"none";
  std::u16string names;
  for (const SearchFieldName& row : kSearchFieldNames) {
    if (!(fields & kChoosableFields & FieldBit(row.field))) continue;
    if (!names.empty()) names += u',';
    names += row.name;
  }
  return names;
}

// The choosable fields named in names; names that are not ours are passed over.
FieldSet FieldsNamed(std::u16string_view names) {
  FieldSet fields = 0;
  while (!names.empty()) {
    const size_t comma = std::min(names.find(u','), names.size());
    if (const std::optional<SearchField> field = ChoosableFieldNamed(names.substr(0, comma)))
      fields |= FieldBit(*field);
    names.remove_prefix(std::min(comma + 1, names.size()));
  }
  return fields;
}

// Sets key to value, or empties it when value is empty and the key holds something.
void SetOrEmpty(IniFile& ini, const std::u16string& key, const std::u16string& value) {
  if (!value.empty() || !ini.GetString(kHistorySection, key).empty())
    ini.SetString(kHistorySection, key, value);
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

std::vector<HistoryEntry> LoadHistory(const IniFile& ini) {
  std::vector<HistoryEntry> entries;
  for (size_t i = 0; i < kHistoryLength; ++i) {
    HistoryEntry entry{ini.GetString(kHistorySection, HistoryKey(i))};
    if (entry.word.empty()) continue;
    entry.mode =
        SearchModeNamed(ini.GetString(kHistorySection, HistoryKey(i, u"mode"))).value_or(SearchMode::kPrefix);
    const std::u16string fields = ini.GetString(kHistorySection, HistoryKey(i, u"fields"));
    if (entry.mode == SearchMode::kFullText && !fields.empty()) entry.fields = FieldsNamed(fields);
    entries.push_back(std::move(entry));
  }
  return entries;
}

void SaveHistory(const std::vector<HistoryEntry>& newestFirst, IniFile& ini) {
  size_t written = 0;
  for (const HistoryEntry& entry : newestFirst) {
    if (written == kHistoryLength) break;
    // A word that would not read back as it is (a comment mark cuts it, say) is left out.
    ini.SetString(kHistorySection, HistoryKey(written), entry.word);
    if (ini.GetString(kHistorySection, HistoryKey(written)) != entry.word) continue;
    const bool fullText = entry.mode == SearchMode::kFullText;
    SetOrEmpty(ini, HistoryKey(written, u"mode"),
               entry.mode == SearchMode::kPrefix ? u"" : std::u16string(NameOf(entry.mode)));
    SetOrEmpty(ini, HistoryKey(written, u"fields"), fullText ? FieldNames(entry.fields) : u"");
    ++written;
  }
  for (size_t i = written; i < kHistoryLength; ++i) {
    for (const char16_t* prefix : {u"", u"mode", u"fields"}) SetOrEmpty(ini, HistoryKey(i, prefix), u"");
  }
}

}  // namespace tavlex
