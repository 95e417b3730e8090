#include "tools/mkdic/mkdic_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/argument_scanner.h"
#include "tools/dicwriter/format_constants.h"
#include "tools/dicwriter/options_check.h"

namespace tavlex::mkdic {
namespace {

constexpr std::string_view kAnsi = "--ansi";
constexpr std::string_view kFormatVersion = "--format-version";
constexpr std::string_view kBlockSize = "--block-size";
constexpr std::string_view kAttributes = "--attributes";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kShortHelp = "-h";
constexpr std::string_view kVersion = "--version";
constexpr std::string_view kOldFormatVersion = "--version=";
constexpr std::string_view kEndOfOptions = "--";

constexpr std::array<cli::OptionSpec, 7> kOptions = {{
    {kAnsi, false},
    {kFormatVersion, true},
    {kBlockSize, true},
    {kAttributes, true},
    {kHelp, false},
    {kShortHelp, false},
    {kVersion, false},
}};

constexpr int kMaxAttributes = std::numeric_limits<uint8_t>::max();
constexpr std::string_view kHexPrefix = "0x";
constexpr int kDecimal = 10;
constexpr int kHex = 16;
constexpr size_t kOperands = 2;  // input and output

// A whole decimal number, or hexadecimal after "0x", from 0 to max.
int ParseNumber(std::string_view option, std::string_view text, int max) {
  const bool hex = text.starts_with(kHexPrefix);
  if (hex) text.remove_prefix(kHexPrefix.size());
  int value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, hex ? kHex : kDecimal);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 || value > max) {
    throw cli::UsageError(std::string(option) + " needs a number from 0 to " + std::to_string(max));
  }
  return value;
}

// Whether text reads as a number ParseNumber takes: digits, or hexadecimal digits after "0x".
bool LooksLikeNumber(std::string_view text) {
  const bool hex = text.starts_with(kHexPrefix);
  if (hex) text.remove_prefix(kHexPrefix.size());
  return !text.empty() && std::all_of(text.begin(), text.end(), [hex](char c) {
    return hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : c >= '0' && c <= '9';
  });
}

// Rewrites the old spelling of the format version, "--version N" and
// "--version=N", as --format-version; true when there was one.
bool RespellOldFormatVersion(std::vector<std::string>& args) {
  bool respelled = false;
  for (size_t i = 0; i < args.size() && args[i] != kEndOfOptions; ++i) {
    std::string& arg = args[i];
    if (arg.starts_with(kOldFormatVersion)) {
      arg = std::string(kFormatVersion) + '=' + arg.substr(kOldFormatVersion.size());
      respelled = true;
    } else if (arg == kVersion && i + 1 < args.size() && LooksLikeNumber(args[i + 1])) {
      arg = kFormatVersion;
      respelled = true;
    }
  }
  return respelled;
}

}  // namespace

const char kOldFormatVersionNotice[] =
    "--version N is the old spelling of --format-version N, which it still means for now; "
    "--version alone shows the program's version";

const char kMkdicUsage[] =
    "Usage: tavlex-mkdic [--ansi] [--format-version N] [--block-size N] [--attributes N]\n"
    "                    INPUT.tsv OUTPUT.dic\n"
    "\n"
    "Builds a PDIC dictionary from a UTF-8 file of tab-separated lines:\n"
    "  key, display, translation[, pronunciation[, example]]\n"
    "Any column but the key may be empty; an empty display shows the key. In a\n"
    "field \\n is a line break, \\t a TAB, \\\\ a backslash and \\uXXXX the UTF-16\n"
    "code unit XXXX (for a lone CR or LF or another control character). Empty\n"
    "lines are skipped. The records are sorted as the search expects. A line\n"
    "that cannot be used is reported with its number, and then nothing is written.\n"
    "\n"
    "  --ansi              the ANSI layout: code page 932 text, pronunciations in\n"
    "                      code page 1252, no display forms (default: BOCU-1)\n"
    "  --format-version N  file version 4, 5 or 6 (default 6)\n"
    "  --block-size N      bytes per block (default 1024; 256 for version 4)\n"
    "  --attributes N      the attribute byte of every record, 0 to 255 or 0x00 to\n"
    "                      0xff (default 0); the writer sets bit 0x10 itself\n"
    "  -h, --help          show this help\n"
    "  --version           show the program's version\n"
    "\n"
    "Exit status: 0 when the dictionary was written, 1 when the input could not\n"
    "be used or the output not written, 2 for a usage error.\n";

MkdicOptions ParseMkdicOptions(std::span<const std::string> given) {
  MkdicOptions options;
  std::vector<std::string> args(given.begin(), given.end());
  options.oldFormatVersion = RespellOldFormatVersion(args);
  std::optional<int> blockSize;
  std::vector<std::string> operands;
  for (cli::Argument& arg : cli::ScanArguments(args, kOptions)) {
    if (arg.option.empty()) {
      operands.push_back(std::move(arg.value));
    } else if (arg.option == kAnsi) {
      options.writer.charset = dicwriter::Charset::kAnsi;
    } else if (arg.option == kFormatVersion) {
      options.writer.version = ParseNumber(kFormatVersion, arg.value, std::numeric_limits<int>::max());
    } else if (arg.option == kBlockSize) {
      blockSize = ParseNumber(kBlockSize, arg.value, std::numeric_limits<int>::max());
    } else if (arg.option == kAttributes) {
      options.attributes = static_cast<uint8_t>(ParseNumber(kAttributes, arg.value, kMaxAttributes));
    } else if (arg.option == kVersion) {
      options.version = true;
    } else {
      options.help = true;
    }
  }
  if (options.help || options.version) return options;
  if (operands.size() != kOperands) throw cli::UsageError("needs an input TSV file and an output dictionary");
  options.input = std::move(operands[0]);
  options.output = std::move(operands[1]);
  if (blockSize) {
    options.writer.blockSize = *blockSize;
  } else if (options.writer.version == dicwriter::kVersion4) {
    options.writer.blockSize = dicwriter::kVersion4BlockSize;
  }
  try {
    dicwriter::ValidateOptions(options.writer);
  } catch (const dicwriter::WriterError& error) {
    throw cli::UsageError(error.what());
  }
  return options;
}

}  // namespace tavlex::mkdic
