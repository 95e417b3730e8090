// Fills the DictionarySet that tavlex-lookup searches: from a settings file,
// exactly as the viewer does at start-up, or from files named on the command
// line. Where the viewer leaves a file out silently, these say why, as
// "FILE: reason" lines; the set holds whatever could be opened.
#pragma once

#include <string>
#include <vector>

#include "engine/dictionary_set.h"
#include "settings/ini_file.h"

namespace tavlex::lookup {

// The dictionaries registered in ini (already loaded), with their settings.
std::vector<std::string> OpenRegisteredDictionaries(DictionarySet& set, const IniFile& ini);

// The files at paths (UTF-8), with the settings a newly registered dictionary
// gets from an empty section.
std::vector<std::string> OpenNamedDictionaries(DictionarySet& set, const std::vector<std::string>& paths);

}  // namespace tavlex::lookup
