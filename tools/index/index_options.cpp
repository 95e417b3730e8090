#include "tools/index/index_options.h"

#include <array>
#include <string_view>

#include "cli/argument_scanner.h"

namespace tavlex::index {
namespace {

constexpr std::string_view kIni = "--ini";
constexpr std::string_view kForce = "--force";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kShortHelp = "-h";
constexpr std::string_view kVersion = "--version";

constexpr std::array<cli::OptionSpec, 5> kOptions = {{
    {kIni, true},
    {kForce, false},
    {kHelp, false},
    {kShortHelp, false},
    {kVersion, false},
}};

constexpr std::array<std::pair<std::string_view, IndexCommand>, 3> kCommands = {{
    {"build", IndexCommand::kBuild},
    {"status", IndexCommand::kStatus},
    {"clear", IndexCommand::kClear},
}};

}  // namespace

const char kIndexUsage[] =
    "Usage: tavlex-index build|status|clear [--force] [--ini FILE | DIC...]\n"
    "\n"
    "Manages the full-text indexes that suffix, substring and full-text searches\n"
    "use, one file per dictionary in $XDG_CACHE_HOME/tavlex/ (or\n"
    "~/.cache/tavlex/). The viewer and tavlex-lookup build an index on first use;\n"
    "this builds them ahead, tells their state, or removes them. The\n"
    "dictionaries are the registered ones (tavlex.ini as tavlex-lookup finds it),\n"
    "or those of --ini FILE, or the files DIC... named.\n"
    "\n"
    "  build        build the index of every dictionary that has none, or whose\n"
    "               index is out of date or damaged (a progress bar on a terminal)\n"
    "  status       tell, for each dictionary, whether its index is up to date\n"
    "  clear        remove the index files\n"
    "  --force      build: build every index anew\n"
    "  --ini FILE   the dictionaries registered in FILE\n"
    "  -h, --help   show this help\n"
    "  --version    show the program's version\n"
    "\n"
    "Exit status: 0 when done (status: every index is up to date), 1 when some\n"
    "dictionary has no index afterwards, 2 for a usage error or when no\n"
    "dictionary could be opened.\n";

IndexOptions ParseIndexOptions(std::span<const std::string> args) {
  IndexOptions options;
  std::optional<IndexCommand> command;
  for (cli::Argument& arg : cli::ScanArguments(args, kOptions)) {
    if (arg.option == kIni) {
      if (options.iniPath) throw cli::UsageError("--ini given twice");
      options.iniPath = std::move(arg.value);
    } else if (arg.option == kForce) {
      options.force = true;
    } else if (arg.option == kVersion) {
      options.version = true;
    } else if (!arg.option.empty()) {
      options.help = true;
    } else if (command) {
      options.dictionaryPaths.push_back(std::move(arg.value));
    } else {
      for (const auto& [name, value] : kCommands) {
        if (name == arg.value) command = value;
      }
      if (!command) throw cli::UsageError("unknown command '" + arg.value + "' (build, status, clear)");
    }
  }
  if (options.help || options.version) return options;
  if (!command) throw cli::UsageError("no command (build, status, clear)");
  options.command = *command;
  if (options.iniPath && !options.dictionaryPaths.empty())
    throw cli::UsageError("--ini and DIC cannot be combined");
  if (options.force && options.command != IndexCommand::kBuild)
    throw cli::UsageError("--force goes with build");
  return options;
}

}  // namespace tavlex::index
