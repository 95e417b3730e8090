#include "tools/lookup/lookup_options.h"

#include <array>
#include <utility>

#include "tools/cli/argument_scanner.h"

namespace tavlex::lookup {
namespace {

constexpr std::string_view kIni = "--ini";
constexpr std::string_view kDic = "--dic";
constexpr std::string_view kIrregular = "--irregular";
constexpr std::string_view kInflect = "--inflect";
constexpr std::string_view kJson = "--json";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kShortHelp = "-h";
constexpr std::string_view kVersion = "--version";

constexpr std::array<cli::OptionSpec, 8> kOptions = {{
    {kIni, true},
    {kDic, true},
    {kIrregular, true},
    {kInflect, false},
    {kJson, false},
    {kHelp, false},
    {kShortHelp, false},
    {kVersion, false},
}};

}  // namespace

const char kLookupUsage[] =
    "Usage: tavlex-lookup [--ini FILE] [--dic FILE]... [--irregular FILE]... [--inflect] [--json]\n"
    "                     WORD...\n"
    "\n"
    "Looks each WORD up in the registered dictionaries as the viewer does: the\n"
    "dictionaries and their settings come from the viewer's tavlex.ini (beside\n"
    "this program, or in ~/.config/tavlex/ when installed), which is only read,\n"
    "never written.\n"
    "\n"
    "  --ini FILE        read the dictionaries and their settings from FILE instead\n"
    "  --dic FILE        search FILE with default settings instead of the\n"
    "                    registered dictionaries, showing every part of its\n"
    "                    entries; may be repeated\n"
    "  --irregular FILE  take FILE as a dictionary of irregular forms, which\n"
    "                    --inflect asks for base forms; may be repeated\n"
    "  --inflect         then search inflected forms too (lower case, base forms,\n"
    "                    accents added or removed) in every dictionary searched,\n"
    "                    and, when that finds something, show it instead\n"
    "  --json            one JSON object per entry and line, with every field\n"
    "  -h, --help        show this help\n"
    "  --version         show the program's version\n"
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
    } else if (arg.option == kIrregular) {
      options.irregularPaths.push_back(std::move(arg.value));
    } else if (arg.option == kInflect) {
      options.inflect = true;
    } else if (arg.option == kJson) {
      options.json = true;
    } else if (arg.option == kVersion) {
      options.version = true;
    } else {
      options.help = true;
    }
  }
  if (options.help || options.version) return options;
  if (options.iniPath && !options.dictionaryPaths.empty()) {
    throw cli::UsageError("--ini and --dic cannot be combined");
  }
  if (options.words.empty()) throw cli::UsageError("no word to look up");
  return options;
}

}  // namespace tavlex::lookup
