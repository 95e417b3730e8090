#include "tools/lookup/dictionary_opening.h"

#include "base/utf8.h"
#include "cli/file_access.h"
#include "settings/dictionary_keys.h"

namespace tavlex::lookup {

std::vector<std::string> OpenDictionaries(const std::vector<std::string>& dictionaryPaths,
                                          const std::optional<std::string>& iniPath, IniFile& ini,
                                          RegisteredDictionaries& dictionaries) {
  if (!dictionaryPaths.empty())
    return OpenNamedDictionaries(dictionaries.set(), dictionaryPaths, NamedAs::kSearched);
  if (iniPath) {
    ini.LoadPath(*iniPath);
  } else {
    ini.Load(u"tavlex.ini");
  }
  return OpenRegisteredDictionaries(dictionaries, ini.Path(), iniPath.has_value());
}

std::vector<std::string> OpenRegisteredDictionaries(RegisteredDictionaries& dictionaries,
                                                    const std::filesystem::path& iniPath, bool named) {
  std::vector<std::string> problems;
  const std::string iniName = iniPath.string();
  std::error_code error;
  if (!named && !std::filesystem::exists(iniPath, error)) {
    // The first state of every new user, not a fault.
    problems.push_back("no dictionary is registered yet (the viewer's settings file " + iniName +
                       " does not exist)");
    return problems;
  }
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

std::vector<std::string> HowToRegister(const std::optional<std::filesystem::path>& samplesFolder) {
  std::vector<std::string> lines = {
      "register a dictionary in the viewer (メニュー → ツール → 辞書登録...), or name one with --dic FILE"};
  if (samplesFolder) {
    const std::string folder = samplesFolder->string();
    lines.push_back("the sample dictionaries are in " + folder + ": tavlex-lookup --dic " + folder +
                    "/english.dic WORD");
  }
  return lines;
}

std::vector<std::string> OpenNamedDictionaries(DictionarySet& set, const std::vector<std::string>& paths,
                                               NamedAs role) {
  std::vector<std::string> problems;
  const IniFile noSettings;
  for (const std::string& path : paths) {
    const std::u16string path16 = Utf8ToUtf16(path);
    const size_t before = set.count();
    if (!set.Open(path16)) {
      problems.push_back(cli::OpenRefusal(path16));
      continue;
    }
    if (set.count() == before) continue;  // open already
    Dictionary& opened = set.at(before);
    LoadDictionarySettings(opened, noSettings);
    DictionarySettings& settings = opened.settings();
    if (role == NamedAs::kIrregular) {
      settings.irregular = true;
    } else {
      settings.showPhonetic = true;
      settings.showSample = true;
    }
  }
  return problems;
}

void UseEveryFallback(DictionarySet& set) {
  for (size_t i = 0; i < set.count(); ++i) {
    DictionarySettings& settings = set.at(i).settings();
    settings.english = true;
    settings.englishConjugation = true;
    settings.accent = true;
  }
}

}  // namespace tavlex::lookup
