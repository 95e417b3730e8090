// The settings keys of the registered dictionaries: the list "dic1" to "dic9"
// in section "dictionary", and one section per dictionary, named by its path,
// with its eighteen settings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dictionary_set.h"
#include "settings/ini_file.h"

namespace tavlex {

inline constexpr char16_t kDictionarySection[] = u"dictionary";
// The list keys, and so the most dictionaries that can be registered.
inline constexpr size_t kListedDictionaries = 9;

// The non-empty values of "dic1" to "dic9", in that order.
std::vector<std::u16string> ListedDictionaryPaths(const IniFile& ini);

// Whether path reads back unchanged as a list value and as the name of its
// section: a value the file can hold (IniFile::CanHoldValue), not empty, and
// without "]" (which ends a section name).
bool SettingsCanHoldPath(std::u16string_view path);

// Reads the dictionary's section into its settings, with the defaults for
// absent keys; the cache size goes through SetCacheSize.
void LoadDictionarySettings(Dictionary& dictionary, const IniFile& ini);
// The same for each dictionary of the set.
void LoadDictionarySettings(DictionarySet& set, const IniFile& ini);

// Writes each dictionary's eighteen settings into its section.
void SaveDictionarySettings(const DictionarySet& set, IniFile& ini);

// Writes "dic1" to "dic9": the first nine paths in order, then empty keys.
void SaveDictionaryList(const std::vector<std::u16string>& paths, IniFile& ini);

}  // namespace tavlex
