// The command line of tavlex-index.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tavlex::index {

enum class IndexCommand { kBuild, kStatus, kClear };

struct IndexOptions {
  IndexCommand command = IndexCommand::kStatus;
  std::optional<std::string> iniPath;        // --ini: another settings file
  std::vector<std::string> dictionaryPaths;  // operands: these files instead of the registered ones
  bool force = false;                        // build: build even an index that is up to date
  bool help = false;
  bool version = false;
};

// Throws cli::UsageError for a command line that cannot run.
IndexOptions ParseIndexOptions(std::span<const std::string> args);

extern const char kIndexUsage[];

}  // namespace tavlex::index
