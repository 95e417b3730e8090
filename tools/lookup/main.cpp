// tavlex-lookup: looks words up in the registered dictionaries from the
// command line and prints the entries as the viewer shows them, or as JSON.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "base/desktop_folders.h"
#include "base/utf8.h"
#include "cli/program.h"
#include "engine/search/set_search.h"
#include "settings/settings_location.h"
#include "tools/formats/json_entry.h"
#include "tools/lookup/dictionary_opening.h"
#include "tools/lookup/entry_output.h"
#include "tools/lookup/first_printed.h"
#include "tools/lookup/lookup_options.h"
#include "tools/lookup/mode_lookup.h"
#include "tools/lookup/scan_lookup.h"
#include "wordbook/word_book_path.h"

namespace tavlex::lookup {
namespace {

constexpr cli::Program kProgram("tavlex-lookup");

enum ExitStatus { kFound = 0, kNothingFound = 1, kCannotRun = cli::kUsageStatus };

// Opens what the options name and reports every file that failed. ini, the
// image dictionaries works on, is loaded only for the registered
// dictionaries; nothing is set in it, so the file is never written. False,
// said with what to do, when there is no dictionary to search.
bool OpenAndReport(const LookupOptions& options, IniFile& ini, RegisteredDictionaries& dictionaries) {
  DictionarySet& set = dictionaries.set();
  // A look-up then reads only the pieces of each index it needs.
  set.SetPositionsFolder(UserDesktopFolders().cache);
  std::vector<std::string> problems =
      OpenDictionaries(options.dictionaryPaths, options.iniPath, ini, dictionaries);
  const bool named = !options.dictionaryPaths.empty();
  const bool searchable = set.count() > 0;
  for (std::string& problem : OpenNamedDictionaries(set, options.irregularPaths, NamedAs::kIrregular)) {
    problems.push_back(std::move(problem));
  }
  if (options.inflect) UseEveryFallback(set);

  for (const std::string& problem : problems) kProgram.Report(problem);
  if (!searchable) {
    if (named) {
      kProgram.Report("no dictionary could be opened");
    } else {
      for (const std::string& line : HowToRegister(InstalledSamplesFolder())) kProgram.Report(line);
    }
  }
  return searchable;
}

// Prints every entry found for each word; true when there was any, first
// then being the one printed first.
bool PrintLookups(const LookupOptions& options, DictionarySet& set, std::optional<FirstPrinted>& first) {
  if (options.mode == SearchMode::kScan) return PrintScanLookup(options, set, std::cout, first);
  if (std::any_of(options.words.begin(), options.words.end(),
                  [&](const std::string& word) { return TakesModeSearch(options, Utf8ToUtf16(word)); })) {
    return PrintModeLookups(options, set, std::cout, first);
  }
  bool printed = false;
  for (const std::string& word : options.words) {
    const std::u16string query = Utf8ToUtf16(word);
    for (const EntryRef& entry : LookUpPrefix(set, query, options.inflect)) {
      const std::shared_ptr<const Dictionary> dictionary = entry->dictionary.lock();
      if (options.json) {
        std::cout << formats::FormatJsonEntry(*entry, dictionary ? dictionary->path() : u"",
                                              std::u16string_view(query));
      } else {
        // A blank line between entries, as the display leaves one.
        if (printed) std::cout << '\n';
        std::cout << FormatPlainEntry(*entry, dictionary ? dictionary->settings() : DictionarySettings{});
      }
      NotePrinted(first, *entry, dictionary, query);
      printed = true;
    }
  }
  return printed;
}

int Run(const LookupOptions& options) {
  IniFile ini;
  RegisteredDictionaries dictionaries(ini);
  if (!OpenAndReport(options, ini, dictionaries)) return kCannotRun;
  std::optional<FirstPrinted> first;
  const bool printed = PrintLookups(options, dictionaries.set(), first);
  std::cout.flush();
  if (!std::cout) {
    kProgram.Report("cannot write to the standard output");
    return kCannotRun;
  }
  if (options.keep && first) {
    wordbook::WordBook book(wordbook::WordBookPath(UserDesktopFolders()));
    const KeepReport report = KeepPrinted(book, *first);
    kProgram.Report(report.message);
    if (!report.kept) return kCannotRun;
  }
  return printed ? kFound : kNothingFound;
}

}  // namespace
}  // namespace tavlex::lookup

int main(int argc, char** argv) {
  using namespace tavlex::lookup;
  return kProgram.Main(argc, argv, ParseLookupOptions, kLookupUsage, Run);
}
