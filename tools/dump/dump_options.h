// The command line of tavlex-dump.
#pragma once

#include <span>
#include <string>

namespace tavlex::dump {

struct DumpOptions {
  bool json = false;
  bool help = false;
  bool version = false;
  std::string path;  // the dictionary, as given
};

// Throws cli::UsageError for a command line that cannot run. With --help or
// --version the rest need not make sense.
DumpOptions ParseDumpOptions(std::span<const std::string> args);

extern const char kDumpUsage[];

}  // namespace tavlex::dump
