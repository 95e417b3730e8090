// Splits a tool's command line into options and operands. Options are given
// by their full spelling ("--json", "-h"); one that takes a value reads it
// from "--name=value" or from the next argument. "--" ends the options, and a
// lone "-" is an operand.
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavlex::cli {

struct OptionSpec {
  std::string_view spelling;
  bool takesValue = false;
};

// One scanned argument: an option with its value (empty for a flag), or an
// operand, whose option is empty.
struct Argument {
  std::string option;
  std::string value;

  bool operator==(const Argument&) const = default;
};

// A command line the tool cannot run; what() says what is wrong with it.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Arguments in command-line order. Throws UsageError for an unknown option, a
// missing value, or a value given to a flag.
std::vector<Argument> ScanArguments(std::span<const std::string> args, std::span<const OptionSpec> options);

}  // namespace tavlex::cli
