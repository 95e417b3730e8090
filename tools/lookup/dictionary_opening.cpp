#include "tools/lookup/dictionary_opening.h"

#include "base/utf8.h"
#include "settings/dictionary_keys.h"
#include "tools/cli/file_access.h"

namespace tavlex::lookup {

std::vector<std::string> OpenRegisteredDictionaries(DictionarySet& set, const IniFile& ini) {
  std::vector<std::string> problems;
  const std::string iniName = ini.Path().string();
  const std::string unreadable = cli::UnreadableReason(ini.Path());
  if (!unreadable.empty()) {
    problems.push_back(iniName + ": cannot read the settings file: " + unreadable);
    return problems;
  }

  // Opened as the viewer opens them, but each refusal is told.
  const std::vector<std::u16string> listed = ListedDictionaryPaths(ini);
  for (const std::u16string& path : listed) {
    if (!set.Open(path)) problems.push_back(cli::OpenRefusal(path));
  }
  if (listed.empty()) problems.push_back(iniName + ": registers no dictionary (dic1 to dic9 are empty)");
  LoadDictionarySettings(set, ini);
  return problems;
}

std::vector<std::string> OpenNamedDictionaries(DictionarySet& set, const std::vector<std::string>& paths) {
  std::vector<std::string> problems;
  for (const std::string& path : paths) {
    const std::u16string path16 = Utf8ToUtf16(path);
    if (!set.Open(path16)) problems.push_back(cli::OpenRefusal(path16));
  }
  const IniFile noSettings;
  LoadDictionarySettings(set, noSettings);
  return problems;
}

}  // namespace tavlex::lookup
