#include "settings/registered_dictionaries.h"

#include <algorithm>

namespace tavlex {

namespace {

bool Contains(const std::vector<std::u16string>& paths, const std::u16string& path) {
  return std::find(paths.begin(), paths.end(), path) != paths.end();
}

}  // namespace

std::vector<RegisteredDictionaries::LeftOut> RegisteredDictionaries::OpenListed() {
  std::vector<LeftOut> leftOut;
  leftOut_.clear();
  for (const std::u16string& path : ListedDictionaryPaths(settings_)) {
    if (!SettingsCanHoldPath(path)) {
      leftOut.push_back({path, Refusal::kPathNotStorable});
    } else if (!set_.Open(path)) {
      leftOut.push_back({path, Refusal::kNotADictionary});
    } else {
      continue;
    }
    leftOut_.push_back(path);
  }
  LoadDictionarySettings(set_, settings_);
  return leftOut;
}

RegisteredDictionaries::Refusal RegisteredDictionaries::Register(const std::u16string& path) {
  // Refused first, so that such a path never reaches the set or the settings.
  if (!SettingsCanHoldPath(path)) return Refusal::kPathNotStorable;
  std::vector<std::u16string> listed = ListedNow();
  const bool listedAlready = Contains(listed, path);
  if ((!CanRegister() && !IsRegistered(path)) || (!listedAlready && listed.size() >= kListedDictionaries)) {
    return Refusal::kListFull;
  }
  if (!set_.Open(path)) return Refusal::kNotADictionary;
  std::erase(leftOut_, path);
  if (!listedAlready) listed.push_back(path);
  SaveDictionaryList(listed, settings_);
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
  const std::u16string path = set_.at(index).path();
  set_.RemoveAt(index);
  SaveDictionarySettings(set_, settings_);  // so that what is taken up from the file keeps them
  std::vector<std::u16string> listed = ListedNow();
  std::erase(listed, path);
  SaveDictionaryList(listed, settings_);
  LoadDictionarySettings(set_, settings_);
}

std::vector<std::u16string> RegisteredDictionaries::ListedNow() {
  settings_.TakeUpFileChanges();
  std::vector<std::u16string> listed;
  for (std::u16string& path : ListedDictionaryPaths(settings_)) {
    if (!Contains(leftOut_, path) && !Contains(listed, path)) listed.push_back(std::move(path));
  }
  return listed;
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
