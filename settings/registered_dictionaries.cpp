#include "settings/registered_dictionaries.h"

namespace tavlex {

std::vector<RegisteredDictionaries::LeftOut> RegisteredDictionaries::OpenListed() {
  std::vector<LeftOut> leftOut;
  for (const std::u16string& path : ListedDictionaryPaths(settings_)) {
    if (!SettingsCanHoldPath(path)) {
      leftOut.push_back({path, Refusal::kPathNotStorable});
    } else if (!set_.Open(path)) {
      leftOut.push_back({path, Refusal::kNotADictionary});
    }
  }
  LoadDictionarySettings(set_, settings_);
  return leftOut;
}

RegisteredDictionaries::Refusal RegisteredDictionaries::Register(const std::u16string& path) {
  // Refused first, so that such a path never reaches the set or the settings.
  if (!SettingsCanHoldPath(path)) return Refusal::kPathNotStorable;
  if (!CanRegister() && !IsRegistered(path)) return Refusal::kListFull;
  if (!set_.Open(path)) return Refusal::kNotADictionary;
  SaveDictionaryList(set_, settings_);
  LoadDictionarySettings(set_, settings_);
  return Refusal::kNone;
}

void RegisteredDictionaries::Store(size_t index, const DictionarySettings& settings) {
  Dictionary& dictionary = set_.at(index);
  dictionary.SetCacheSize(settings.cacheSize);  // also drops blocks beyond the new size
  dictionary.settings() = settings;
  SaveDictionarySettings(set_, settings_);
}

void RegisteredDictionaries::Remove(size_t index) {
  set_.RemoveAt(index);
  SaveDictionaryList(set_, settings_);
}

void RegisteredDictionaries::SaveSettings() { SaveDictionarySettings(set_, settings_); }

void RegisteredDictionaries::Choose(size_t k) {
  for (size_t j = 0; j < set_.count(); ++j) {
    DictionarySettings& s = set_.at(j).settings();
    if (!s.irregular) s.notUsed = k < set_.count() && j != k;
  }
}

bool RegisteredDictionaries::ChoiceChecked(size_t k) const {
  const bool all = AllInUse();
  if (k >= set_.count()) return all;
  return !all && !set_.at(k).settings().notUsed;
}

bool RegisteredDictionaries::IsRegistered(const std::u16string& path) const {
  for (size_t i = 0; i < set_.count(); ++i) {
    if (set_.at(i).path() == path) return true;
  }
  return false;
}

bool RegisteredDictionaries::AllInUse() const {
  for (size_t i = 0; i < set_.count(); ++i) {
    const DictionarySettings& s = set_.at(i).settings();
    if (!s.irregular && s.notUsed) return false;
  }
  return true;
}

}  // namespace tavlex
