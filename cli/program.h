// What every command-line tool's main does around its own work: its reports
// on the standard error, each prefixed with its name; a usage error, which
// points to --help and ends with status 2; --help, which prints the usage;
// and --version, which prints the name and the version of the project.
#pragma once

#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/argument_scanner.h"

namespace tavlex::cli {

// The exit status of a command line the tool cannot run.
inline constexpr int kUsageStatus = 2;

class Program {
 public:
  explicit constexpr Program(std::string_view name) : name_(name) {}

  // "NAME: message" and a line break on the standard error.
  void Report(std::string_view message) const;

  // The whole of main: parse turns the arguments after the program's name
  // into options, throwing UsageError; options.help prints usage,
  // options.version the version; otherwise work(options) gives the exit status.
  template <typename Options, typename Work>
  int Main(int argc, char** argv, Options (*parse)(std::span<const std::string>), std::string_view usage,
           Work work) const {
    const std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    try {
      options = parse(args);
    } catch (const UsageError& error) {
      ReportUsageError(error.what());
      return kUsageStatus;
    }
    if (options.help) {
      std::cout << usage;
      return 0;
    }
    if (options.version) {
      PrintVersion();
      return 0;
    }
    return work(options);
  }

 private:
  // The error, then "Try 'NAME --help'.".
  void ReportUsageError(std::string_view message) const;
  // "NAME VERSION" on the standard output.
  void PrintVersion() const;

  std::string_view name_;
};

}  // namespace tavlex::cli
