#include "tools/lookup/dictionary_opening.h"

#include "base/utf8.h"
#include "settings/dictionary_keys.h"
#include "tools/cli/file_access.h"

namespace tavlex::lookup {

std::vector<std::string> OpenDictionaries(const std::vector<std::string>& dictionaryPaths,
                                          const std::optional<std::string>& iniPath, IniFile& ini,
                                          RegisteredDictionaries& dictionaries) {
  if (!dictionaryPaths.empty()) return OpenNamedDictionaries(dictionaries.set(), dictionaryPaths);
  if (iniPath) {
    ini.LoadPath(*iniPath);
  } else {
    ini.Load(u"tavlex.ini");
  }
  return OpenRegisteredDictionaries(dictionaries, ini.Path());
}

std::vector<std::string> OpenRegisteredDictionaries(RegisteredDictionaries& dictionaries,
                                                    const std::filesystem::path& iniPath) {
  std::vector<std::string> problems;
  const std::string iniName = iniPath.string();
  const std::string unreadable = cli::UnreadableReason(iniPath);
  if (!unreadable.empty()) {
    problems.push_back(iniName + ": cannot read the settings file: " + unreadable);
    return problems;
  }

  // Opened as the viewer opens them, but each path left out is told.
  const std::vector<RegisteredDictionaries::LeftOut> leftOut = dictionaries.OpenListed();
  for (const auto& [path, refusal] : leftOut) {
    problems.push_back(refusal == RegisteredDictionaries::Refusal::kPathNotStorable
                           ? Utf16ToUtf8(path) +
                                 ": left out, as the viewer leaves it out: the settings file "
                                 "cannot hold this path"
                           : cli::OpenRefusal(path));
  }
  if (leftOut.empty() && dictionaries.set().count() == 0) {
    problems.push_back(iniName + ": registers no dictionary (dic1 to dic9 are empty)");
  }
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
