#include "cli/argument_scanner.h"

#include <algorithm>

namespace tavlex::cli {
namespace {

constexpr std::string_view kEndOfOptions = "--";
constexpr std::string_view kLongPrefix = "--";
constexpr char kOptionStart = '-';
constexpr char kValueSeparator = '=';

const OptionSpec* Find(std::span<const OptionSpec> options, std::string_view spelling) {
  const auto found = std::find_if(options.begin(), options.end(),
                                  [&](const OptionSpec& option) { return option.spelling == spelling; });
  return found == options.end() ? nullptr : &*found;
}

bool IsOption(std::string_view arg) { return arg.size() > 1 && arg.front() == kOptionStart; }

}  // namespace

std::vector<Argument> ScanArguments(std::span<const std::string> args, std::span<const OptionSpec> options) {
  std::vector<Argument> scanned;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == kEndOfOptions) {
      for (++i; i < args.size(); ++i) scanned.push_back({"", args[i]});
      break;
    }
    if (!IsOption(arg)) {
      scanned.push_back({"", arg});
      continue;
    }
    // Only long options carry an attached value; "-x=1" is looked up whole.
    const size_t separator = arg.starts_with(kLongPrefix) ? arg.find(kValueSeparator) : std::string::npos;
    const std::string spelling = arg.substr(0, separator);
    const OptionSpec* option = Find(options, spelling);
    if (option == nullptr) throw UsageError("unknown option " + spelling);
    if (!option->takesValue) {
      if (separator != std::string::npos) throw UsageError(spelling + " takes no value");
      scanned.push_back({spelling, ""});
    } else if (separator != std::string::npos) {
      scanned.push_back({spelling, arg.substr(separator + 1)});
    } else if (i + 1 < args.size()) {
      scanned.push_back({spelling, args[++i]});
    } else {
      throw UsageError(spelling + " needs a value");
    }
  }
  return scanned;
}

}  // namespace tavlex::cli
