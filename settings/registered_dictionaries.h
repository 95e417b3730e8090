// RegisteredDictionaries: the dictionaries the settings list ("dic1" to
// "dic9"), open in a DictionarySet and bound to their keys. It opens the list
// by the viewer's rules, registers and removes dictionaries, stores their
// settings and makes the dictionary choice. Every change goes into the
// settings image at once; the image reaches the file only when its owner saves
// it, so a caller that only opens and searches (tavlex-lookup) never writes.
// A registration or removal changes the list as the file holds it then, so
// that a dictionary another viewer on the same file registered since this
// one opened the list stays listed (this viewer opens it at its next start),
// and loads every dictionary's settings again, with what the other viewer
// saved of them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/dictionary_set.h"
#include "settings/dictionary_keys.h"
#include "settings/ini_file.h"

namespace tavlex {

class RegisteredDictionaries {
 public:
  // Why a path is not opened or not registered.
  enum class Refusal {
    kNone,
    kPathNotStorable,  // the settings file cannot hold the path (SettingsCanHoldPath)
    kNotADictionary,   // no readable regular file, or not a PDIC dictionary the engine accepts
    kListFull,         // kListedDictionaries are registered already
  };

  // A listed path that OpenListed left out, and why.
  struct LeftOut {
    std::u16string path;
    Refusal refusal;

    bool operator==(const LeftOut&) const = default;
  };

  // settings must outlive this object.
  explicit RegisteredDictionaries(IniFile& settings) : settings_(settings) {}
  RegisteredDictionaries(const RegisteredDictionaries&) = delete;
  RegisteredDictionaries& operator=(const RegisteredDictionaries&) = delete;

  // Opens every dictionary that "dic1" to "dic9" name, in that order, and
  // loads their settings. Empty keys (gaps left by hand-editing) are skipped;
  // a path the file cannot hold and a file that cannot be opened are left
  // out, reported in list order, and drop from the list at its next write.
  std::vector<LeftOut> OpenListed();

  // Whether another dictionary can be registered.
  bool CanRegister() const { return set_.count() < kListedDictionaries; }

  // Registers the file at path. Refused, in this order: a path the settings
  // file cannot hold, a full list (unless the path is registered already), a
  // file the engine refuses; a refusal changes nothing. Otherwise the path
  // joins the list and every dictionary's settings are loaded again, so a
  // choice made since they were last stored is undone. A path registered
  // already is accepted as it stands. The list is full also when the file
  // lists nine paths already.
  Refusal Register(const std::u16string& path);

  // Gives dictionary index these settings (the cache size through
  // SetCacheSize) and writes every dictionary's settings.
  void Store(size_t index, const DictionarySettings& settings);

  // Closes dictionary index, writes the others' settings and takes its path
  // off the list; its section stays, so registering the path again brings
  // its settings back.
  void Remove(size_t index);

  // Writes every dictionary's settings, as the viewer does when it closes.
  void SaveSettings();

  // Puts dictionary k alone in use, or every dictionary when k is the count
  // or more. Irregular dictionaries keep their flags. Not written until the
  // settings are next stored or saved.
  void Choose(size_t k);

  // Whether the choice item of dictionary k (or "all" for k >= count) is
  // checked: "all" while every regular dictionary is in use, otherwise each
  // dictionary in use.
  bool ChoiceChecked(size_t k) const;

  DictionarySet& set() { return set_; }
  const DictionarySet& set() const { return set_; }

 private:
  bool IsRegistered(const std::u16string& path) const;
  bool AllInUse() const;
  // The list as the file holds it now, whoever saved it, each path once and
  // without those OpenListed left out (they drop from the list at its next write).
  std::vector<std::u16string> ListedNow();

  IniFile& settings_;
  DictionarySet set_;
  std::vector<std::u16string> leftOut_;  // by OpenListed
};

}  // namespace tavlex
