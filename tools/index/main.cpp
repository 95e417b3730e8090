// tavlex-index: builds, checks and removes the full-text indexes of the
// registered dictionaries (or of dictionaries named on the command line).
#include <iostream>
#include <string>
#include <vector>

#include "base/desktop_folders.h"
#include "cli/program.h"
#include "cli/progress_line.h"
#include "engine/index/index_store.h"
#include "tools/index/index_commands.h"
#include "tools/index/index_options.h"
#include "tools/lookup/dictionary_opening.h"

namespace tavlex::index {
namespace {

constexpr cli::Program kProgram("tavlex-index");

enum ExitStatus { kDone = 0, kNotAll = 1, kCannotRun = cli::kUsageStatus };

int Run(const IndexOptions& options) {
  const std::filesystem::path folder = UserDesktopFolders().cache;
  if (folder.empty()) {
    kProgram.Report("no folder for the index files: set HOME or XDG_CACHE_HOME");
    return kCannotRun;
  }
  IniFile ini;
  RegisteredDictionaries dictionaries(ini);
  const std::vector<std::string> problems =
      lookup::OpenDictionaries(options.dictionaryPaths, options.iniPath, ini, dictionaries);
  for (const std::string& problem : problems) kProgram.Report(problem);
  DictionarySet& set = dictionaries.set();
  if (set.count() == 0) {
    kProgram.Report("no dictionary could be opened");
    return kCannotRun;
  }
  const bool all =
      RunIndexCommand(options, set, folder, std::cout, std::cerr, cli::StandardErrorIsTerminal());
  std::cout.flush();
  if (!std::cout) {
    kProgram.Report("cannot write to the standard output");
    return kCannotRun;
  }
  return all && problems.empty() ? kDone : kNotAll;
}

}  // namespace
}  // namespace tavlex::index

int main(int argc, char** argv) {
  using namespace tavlex::index;
  return kProgram.Main(argc, argv, ParseIndexOptions, kIndexUsage, Run);
}
