#include "tools/lookup/lookup_options.h"

#include <array>
#include <utility>

#include "tools/cli/argument_scanner.h"

namespace tavlex::lookup {
namespace {

constexpr std::string_view kIni = "--ini";
constexpr std::string_view kDic = "--dic";
constexpr std::string_view kInflect = "--inflect";
constexpr std::string_view kJson = "--json";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kShortHelp = "-h";

constexpr std::array<cli::OptionSpec, 6> kOptions = {{
    {kIni, true},
    {kDic, true},
    {kInflect, false},
    {kJson, false},
    {kHelp, false},
    {kShortHelp, false},
}};

}  // namespace

const char kLookupUsage[] =
    "Usage: tavlex-lookup [--ini FILE] [--dic FILE]... [--inflect] [--json] WORD...\n"
    "\n"
    "Looks each WORD up in the registered dictionaries as the viewer does: the\n"
    "dictionaries and their settings come from the viewer's tavlex.ini (beside\n"
    "this program, or in ~/.config/tavlex/ when installed), which is only read,\n"
    "never written.\n"
    "\n"
    "  --ini FILE   read the dictionaries and their settings from FILE instead\n"
    "  --dic FILE   search FILE with default settings instead of the registered\n"
    "               dictionaries; may be repeated\n"
    "  --inflect    then search inflected forms too (lower case, base forms,\n"
    "               respelling) and, when that finds something, show it instead\n"
    "  --json       one JSON object per entry and line, with every field\n"
    "  -h, --help   show this help\n"
    "\n"
    "Exit status: 0 when an entry was printed, 1 when nothing was found, 2 for a\n"
    "usage error or when no dictionary could be opened.\n";

LookupOptions ParseLookupOptions(std::span<const std::string> args) {
  LookupOptions options;
  for (cli::Argument& arg : cli::ScanArguments(args, kOptions)) {
    if (arg.option.empty()) {
      options.words.push_back(std::move(arg.value));
    } else if (arg.option == kIni) {
      if (options.iniPath) throw cli::UsageError("--ini given twice");
      options.iniPath = std::move(arg.value);
    } else if (arg.option == kDic) {
      options.dictionaryPaths.push_back(std::move(arg.value));
    } else if (arg.option == kInflect) {
      options.inflect = true;
    } else if (arg.option == kJson) {
      options.json = true;
    } else {
      options.help = true;
    }
  }
  if (options.help) return options;
  if (options.iniPath && !options.dictionaryPaths.empty()) {
    throw cli::UsageError("--ini and --dic cannot be combined");
  }
  if (options.words.empty()) throw cli::UsageError("no word to look up");
  return options;
}

}  // namespace tavlex::lookup
