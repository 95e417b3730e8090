#include "settings/dictionary_keys.h"

#include <string>

#include "settings/key_visitors.h"

namespace tavlex {
namespace {

// Defaults of a section's keys; the engine's own starting values differ for searchMax.
constexpr int32_t kDefaultCacheSize = 10;
constexpr int32_t kDefaultSearchMax = 30;
constexpr int32_t kDefaultFontSize = 10;

std::u16string ListKey(size_t n) {
  const std::string digits = std::to_string(n);
  return u"dic" + std::u16string(digits.begin(), digits.end());
}

// One pass over the eighteen keys in their order, shared by reading and
// writing so that the two can never disagree on names or order.
template <typename Visitor>
void VisitKeys(DictionarySettings& s, Visitor&& visit) {
  visit(u"cachesize", s.cacheSize, kDefaultCacheSize);
  visit(u"searchmax", s.searchMax, kDefaultSearchMax);
  visit(u"english", s.english);
  visit(u"irreg", s.irregular);
  visit(u"englishconju", s.englishConjugation);
  visit(u"accent", s.accent);
  visit(u"notuse", s.notUsed);
  visit(u"IndexFont", s.indexFont);
  visit(u"IndexSize", s.indexSize, kDefaultFontSize);
  visit(u"TransFont", s.transFont);
  visit(u"TransSize", s.transSize, kDefaultFontSize);
  visit(u"bPhonetic", s.showPhonetic);
  visit(u"PhoneticFont", s.phoneticFont);
  visit(u"PhoneticSize", s.phoneticSize, kDefaultFontSize);
  visit(u"bSample", s.showSample);
  visit(u"SampleFont", s.sampleFont);
  visit(u"SampleSize", s.sampleSize, kDefaultFontSize);
  visit(u"DicName", s.dicName);
}

}  // namespace

std::vector<std::u16string> ListedDictionaryPaths(const IniFile& ini) {
  std::vector<std::u16string> paths;
  for (size_t n = 1; n <= kListedDictionaries; ++n) {
    std::u16string path = ini.GetString(kDictionarySection, ListKey(n));
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

bool SettingsCanHoldPath(std::u16string_view path) {
  return !path.empty() && IniFile::CanHoldValue(path) && path.find(u']') == std::u16string_view::npos;
}

void LoadDictionarySettings(Dictionary& dictionary, const IniFile& ini) {
  DictionarySettings loaded;
  VisitKeys(loaded, KeyReader{ini, dictionary.path()});
  dictionary.settings() = loaded;
  dictionary.SetCacheSize(loaded.cacheSize);  // also drops blocks beyond the new size
}

void LoadDictionarySettings(DictionarySet& set, const IniFile& ini) {
  for (size_t i = 0; i < set.count(); ++i) LoadDictionarySettings(set.at(i), ini);
}

void SaveDictionarySettings(const DictionarySet& set, IniFile& ini) {
  for (size_t i = 0; i < set.count(); ++i) {
    const Dictionary& dictionary = set.at(i);
    DictionarySettings settings = dictionary.settings();
    VisitKeys(settings, KeyWriter{ini, dictionary.path()});
  }
}

void SaveDictionaryList(const std::vector<std::u16string>& paths, IniFile& ini) {
  for (size_t n = 1; n <= kListedDictionaries; ++n) {
    const size_t i = n - 1;
    ini.SetString(kDictionarySection, ListKey(n), i < paths.size() ? paths[i] : std::u16string());
  }
}

}  // namespace tavlex
