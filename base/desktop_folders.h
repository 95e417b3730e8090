// The program's folders in the user's home by the XDG base directory rules:
// settings in $XDG_CONFIG_HOME/tavlex, index files in $XDG_CACHE_HOME/tavlex,
// the word book in $XDG_DATA_HOME/tavlex, or their places under $HOME when a
// variable is unset. Only an absolute path counts, as the rules say.
//
// DesktopFoldersOf is a pure function of an environment; UserDesktopFolders
// gives this process's, or the stand-in a test put in place. Nothing else in
// the program reads these variables.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

namespace tavlex {

struct DesktopFolders {
  // Each is empty when neither its variable nor HOME tells a folder.
  std::filesystem::path config;
  std::filesystem::path cache;
  std::filesystem::path data;
};

// The value of an environment variable, or null when it is not set: std::getenv.
using Environment = std::function<const char*(const char*)>;

DesktopFolders DesktopFoldersOf(const Environment& environment);

// The folders of the running program: DesktopFoldersOf(std::getenv) unless
// a stand-in is in place.
DesktopFolders UserDesktopFolders();

// Puts folders in the place of the environment's until called with none;
// returns the stand-in that was in place.
std::optional<DesktopFolders> SetDesktopFoldersForTesting(std::optional<DesktopFolders> folders);

}  // namespace tavlex
