// Fills the DictionarySet that tavlex-lookup searches: the registered
// dictionaries, opened by the viewer's own rules (RegisteredDictionaries), or
// files named on the command line. Where the viewer leaves a file out
// silently, these say why, as "FILE: reason" lines; the set holds whatever
// could be opened.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/dictionary_set.h"
#include "settings/registered_dictionaries.h"

namespace tavlex::lookup {

// What a tool's command line names: the files at dictionaryPaths, or else the
// dictionaries registered in the settings file at iniPath (by default
// "tavlex.ini" beside the program), loaded into ini, the image dictionaries
// works on. Nothing is set in ini, so the file is never written.
std::vector<std::string> OpenDictionaries(const std::vector<std::string>& dictionaryPaths,
                                          const std::optional<std::string>& iniPath, IniFile& ini,
                                          RegisteredDictionaries& dictionaries);

// The dictionaries registered in the settings file at iniPath, whose image
// (already loaded) dictionaries works on, with their settings. named: the
// user named the file; otherwise it is the viewer's own, which a new user
// does not have yet.
std::vector<std::string> OpenRegisteredDictionaries(RegisteredDictionaries& dictionaries,
                                                    const std::filesystem::path& iniPath, bool named);

// What to do when no dictionary is registered: how to register one, and
// where the sample dictionaries are, when they were installed.
std::vector<std::string> HowToRegister(const std::optional<std::filesystem::path>& samplesFolder);

// How a file named on the command line is used.
enum class NamedAs {
  kSearched,   // --dic: searched, with every part of its entries shown
  kIrregular,  // --irregular: a dictionary of irregular forms, asked for base forms
};

// The files at paths (UTF-8), with the settings a newly registered dictionary
// gets from an empty section, then what role asks for. A file open already
// keeps its settings.
std::vector<std::string> OpenNamedDictionaries(DictionarySet& set, const std::vector<std::string>& paths,
                                               NamedAs role);

// --inflect: the lower-case, base-form and accent fallbacks and the removal
// of English endings in every dictionary of the set, whatever its settings say.
void UseEveryFallback(DictionarySet& set);

}  // namespace tavlex::lookup
