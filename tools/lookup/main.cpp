// tavlex-lookup: looks words up in the registered dictionaries from the
// command line and prints the entries as the viewer shows them, or as JSON.
#include <algorithm>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "cli/argument_scanner.h"
#include "lookup/dictionary_opening.h"
#include "lookup/entry_output.h"
#include "lookup/lookup_options.h"
#include "lookup/mode_lookup.h"
#include "view/search_flow.h"

namespace tavlex::lookup {
namespace {

constexpr char kProgram[] = "tavlex-lookup";
constexpr char16_t kSettingsFileName[] = u"tavlex.ini";

enum ExitStatus { kFound = 0, kNothingFound = 1, kCannotRun = 2 };

void Report(const std::string& message) { std::cerr << kProgram << ": " << message << '\n'; }

// Opens what the options name and reports every file that failed. The
// settings image is needed only while the set is filled.
void OpenDictionaries(const LookupOptions& options, DictionarySet& set) {
  std::vector<std::string> problems;
  if (!options.dictionaryPaths.empty()) {
    problems = OpenNamedDictionaries(set, options.dictionaryPaths);
  } else {
    IniFile ini;
    if (options.iniPath) {
      ini.LoadPath(*options.iniPath);
    } else {
      ini.Load(kSettingsFileName);
    }
    problems = OpenRegisteredDictionaries(set, ini);
  }
  for (const std::string& problem : problems) Report(problem);
}

// The entries the viewer shows for text: its search, and with inflect the
// inflection search, whose entries replace the first ones when it finds any.
const std::vector<EntryRef>& LookUp(SearchFlow& flow, std::u16string_view text, bool inflect) {
  static const std::vector<EntryRef> kNone;
  if (flow.Search(text) != SearchFlow::Found::kEntries) return kNone;
  if (inflect) flow.SearchInflected(text);
  return flow.entries();
}

// Prints every entry found for each word; true when there was any.
bool PrintLookups(const LookupOptions& options, DictionarySet& set) {
  if (std::any_of(options.words.begin(), options.words.end(),
                  [&](const std::string& word) { return TakesModeSearch(options, Utf8ToUtf16(word)); })) {
    return PrintModeLookups(options, set, std::cout);
  }
  SearchFlow flow(&set, nullptr);
  bool printed = false;
  for (const std::string& word : options.words) {
    const std::u16string query = Utf8ToUtf16(word);
    for (const EntryRef& entry : LookUp(flow, query, options.inflect)) {
      const std::shared_ptr<const Dictionary> dictionary = entry->dictionary.lock();
      if (options.json) {
        std::cout << FormatJsonEntry(*entry, dictionary ? dictionary->path() : u"",
                                     std::u16string_view(query));
      } else {
        // A blank line between entries, as the display leaves one.
        if (printed) std::cout << '\n';
        std::cout << FormatPlainEntry(*entry, dictionary ? dictionary->settings() : DictionarySettings{});
      }
      printed = true;
    }
  }
  return printed;
}

int Run(std::span<const std::string> args) {
  LookupOptions options;
  try {
    options = ParseLookupOptions(args);
  } catch (const cli::UsageError& error) {
    Report(error.what());
    std::cerr << "Try '" << kProgram << " --help'.\n";
    return kCannotRun;
  }
  if (options.help) {
    std::cout << kLookupUsage;
    return kFound;
  }

  DictionarySet set;
  OpenDictionaries(options, set);
  if (set.count() == 0) {
    Report(options.dictionaryPaths.empty() ? "no dictionary could be opened; --dic FILE names one directly"
                                           : "no dictionary could be opened");
    return kCannotRun;
  }
  const bool printed = PrintLookups(options, set);
  std::cout.flush();
  if (!std::cout) {
    Report("cannot write to the standard output");
    return kCannotRun;
  }
  return printed ? kFound : kNothingFound;
}

}  // namespace
}  // namespace tavlex::lookup

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tavlex::lookup::Run(args);
}
