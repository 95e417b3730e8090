#include "tools/dump/dump_options.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/argument_scanner.h"

namespace tavlex::dump {
namespace {

constexpr std::string_view kJson = "--json";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kShortHelp = "-h";
constexpr std::string_view kVersion = "--version";

constexpr std::array<cli::OptionSpec, 4> kOptions = {{
    {kJson, false},
    {kHelp, false},
    {kShortHelp, false},
    {kVersion, false},
}};

}  // namespace

const char kDumpUsage[] =
    "Usage: tavlex-dump [--json] FILE.dic\n"
    "\n"
    "Writes every entry of the dictionary FILE.dic in the dictionary's order, as\n"
    "the viewer decodes it. By default each entry is a line of the tab-separated\n"
    "text that tavlex-mkdic reads: key, display, translation, pronunciation and\n"
    "example, with \\n for a line break, \\t for a TAB, \\\\ for a backslash and\n"
    "\\uXXXX for any other control character.\n"
    "\n"
    "  --json       one JSON object per entry and line, with the fields of\n"
    "               tavlex-lookup --json (without the query)\n"
    "  -h, --help   show this help\n"
    "  --version    show the program's version\n"
    "\n"
    "A damaged dictionary is dumped as far as it can be read; the blocks that\n"
    "cannot be read are reported on the standard error.\n"
    "\n"
    "Exit status: 0 when every entry was written, 1 when some blocks could not be\n"
    "read or the output not written, 2 for a usage error or a file that is not a\n"
    "dictionary that can be opened.\n";

DumpOptions ParseDumpOptions(std::span<const std::string> args) {
  DumpOptions options;
  std::vector<std::string> operands;
  for (cli::Argument& arg : cli::ScanArguments(args, kOptions)) {
    if (arg.option.empty()) {
      operands.push_back(std::move(arg.value));
    } else if (arg.option == kJson) {
      options.json = true;
    } else if (arg.option == kVersion) {
      options.version = true;
    } else {
      options.help = true;
    }
  }
  if (options.help || options.version) return options;
  if (operands.empty()) throw cli::UsageError("no dictionary to dump");
  if (operands.size() > 1) throw cli::UsageError("one dictionary at a time");
  options.path = std::move(operands.front());
  return options;
}

}  // namespace tavlex::dump
