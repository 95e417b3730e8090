// tavlex-index: builds, checks and removes the full-text indexes of the
// registered dictionaries (or of dictionaries named on the command line).
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "cli/argument_scanner.h"
#include "cli/progress_line.h"
#include "engine/index_store.h"
#include "index/index_commands.h"
#include "index/index_options.h"
#include "lookup/dictionary_opening.h"

namespace tavlex::index {
namespace {

constexpr char kProgram[] = "tavlex-index";
constexpr char16_t kSettingsFileName[] = u"tavlex.ini";

enum ExitStatus { kDone = 0, kNotAll = 1, kCannotRun = 2 };

void Report(const std::string& message) { std::cerr << kProgram << ": " << message << '\n'; }

int Run(std::span<const std::string> args) {
  IndexOptions options;
  try {
    options = ParseIndexOptions(args);
  } catch (const cli::UsageError& error) {
    Report(error.what());
    std::cerr << "Try '" << kProgram << " --help'.\n";
    return kCannotRun;
  }
  if (options.help) {
    std::cout << kIndexUsage;
    return kDone;
  }
  const std::filesystem::path folder = DefaultIndexFolder();
  if (folder.empty()) {
    Report("no folder for the index files: set HOME or XDG_CACHE_HOME");
    return kCannotRun;
  }

  DictionarySet set;
  std::vector<std::string> problems;
  if (!options.dictionaryPaths.empty()) {
    problems = lookup::OpenNamedDictionaries(set, options.dictionaryPaths);
  } else {
    IniFile ini;
    if (options.iniPath) {
      ini.LoadPath(*options.iniPath);
    } else {
      ini.Load(kSettingsFileName);
    }
    problems = lookup::OpenRegisteredDictionaries(set, ini);
  }
  for (const std::string& problem : problems) Report(problem);
  if (set.count() == 0) {
    Report("no dictionary could be opened");
    return kCannotRun;
  }
  const bool all =
      RunIndexCommand(options, set, folder, std::cout, std::cerr, cli::StandardErrorIsTerminal());
  std::cout.flush();
  if (!std::cout) {
    Report("cannot write to the standard output");
    return kCannotRun;
  }
  return all && problems.empty() ? kDone : kNotAll;
}

}  // namespace
}  // namespace tavlex::index

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tavlex::index::Run(args);
}
