#include "settings/search_options.h"

#include <array>
#include <utility>

#include "settings/key_visitors.h"

namespace tavlex {
namespace {

constexpr std::array<std::pair<SearchMode, std::u16string_view>, 5> kModeNames = {{
    {SearchMode::kExact, u"exact"},
    {SearchMode::kPrefix, u"prefix"},
    {SearchMode::kSuffix, u"suffix"},
    {SearchMode::kSubstring, u"substring"},
    {SearchMode::kFullText, u"fulltext"},
}};

// The fields a user chooses from; the display form goes with the headword.
struct FieldKey {
  const char16_t* key;
  SearchField field;
};
constexpr FieldKey kFieldKeys[] = {
    {u"headword", SearchField::kHeadword},
    {u"translation", SearchField::kTranslation},
    {u"example", SearchField::kExample},
    {u"pronunciation", SearchField::kPronunciation},
};

std::u16string ModeName(SearchMode mode) {
  for (const auto& [m, name] : kModeNames) {
    if (m == mode) return std::u16string(name);
  }
  return u"prefix";
}

SearchMode ModeNamed(std::u16string_view name) {
  for (const auto& [mode, n] : kModeNames) {
    if (n == name) return mode;
  }
  return SearchMode::kPrefix;
}

template <typename Visitor>
void VisitOptions(std::u16string& mode, bool (&fields)[std::size(kFieldKeys)], bool& foldKana,
                  Visitor&& visit) {
  visit(u"mode", mode);
  for (size_t i = 0; i < std::size(kFieldKeys); ++i) visit(kFieldKeys[i].key, ExactSwitch{fields[i], true});
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
  bool fields[std::size(kFieldKeys)];
  SearchOptions options;
  VisitOptions(mode, fields, options.foldKana, KeyReader{ini, kSearchSection});
  options.mode = ModeNamed(mode);
  options.fields = 0;
  for (size_t i = 0; i < std::size(kFieldKeys); ++i) {
    if (fields[i]) options.fields |= FieldBit(kFieldKeys[i].field);
  }
  return options;
}

void SaveSearchOptions(const SearchOptions& options, IniFile& ini) {
  std::u16string mode = ModeName(options.mode);
  bool fields[std::size(kFieldKeys)];
  for (size_t i = 0; i < std::size(kFieldKeys); ++i)
    fields[i] = options.fields & FieldBit(kFieldKeys[i].field);
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
