#include "lookup/dictionary_opening.h"

#include <filesystem>

#include "base/utf8.h"
#include "cli/file_access.h"
#include "settings/dictionary_keys.h"

namespace tavlex::lookup {

// The engine refuses without saying why; an unreadable file is told apart
// from one whose content it rejected.
std::string OpenRefusal(const std::u16string& path) {
  std::string reason = cli::UnreadableReason(std::filesystem::path(path));
  if (reason.empty()) reason = "not a PDIC dictionary, or damaged";
  return Utf16ToUtf8(path) + ": cannot open the dictionary: " + reason;
}

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
    if (!set.Open(path)) problems.push_back(OpenRefusal(path));
  }
  if (listed.empty()) problems.push_back(iniName + ": registers no dictionary (dic1 to dic9 are empty)");
  LoadDictionarySettings(set, ini);
  return problems;
}

std::vector<std::string> OpenNamedDictionaries(DictionarySet& set, const std::vector<std::string>& paths) {
  std::vector<std::string> problems;
  for (const std::string& path : paths) {
    const std::u16string path16 = Utf8ToUtf16(path);
    if (!set.Open(path16)) problems.push_back(OpenRefusal(path16));
  }
  const IniFile noSettings;
  LoadDictionarySettings(set, noSettings);
  return problems;
}

}  // namespace tavlex::lookup
