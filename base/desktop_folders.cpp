#include "base/desktop_folders.h"

#include <cstdlib>
#include <utility>

namespace tavlex {
namespace {

constexpr char kProgramFolder[] = "tavlex";

std::optional<DesktopFolders>& StandIn() {
  static std::optional<DesktopFolders> folders;
  return folders;
}

// The program's folder in the one the variable names, else in the one under
// HOME; empty when neither is absolute.
std::filesystem::path Folder(const char* variable, const char* underHome, const Environment& environment) {
  if (const char* value = environment(variable); value && value[0] == '/') {
    return std::filesystem::path(value) / kProgramFolder;
  }
  if (const char* home = environment("HOME"); home && home[0] == '/') {
    return std::filesystem::path(home) / underHome / kProgramFolder;
  }
  return {};
}

}  // namespace

DesktopFolders DesktopFoldersOf(const Environment& environment) {
  return {Folder("XDG_CONFIG_HOME", ".config", environment), Folder("XDG_CACHE_HOME", ".cache", environment),
          Folder("XDG_DATA_HOME", ".local/share", environment)};
}

DesktopFolders UserDesktopFolders() {
  if (StandIn()) return *StandIn();
  return DesktopFoldersOf(std::getenv);
}

std::optional<DesktopFolders> SetDesktopFoldersForTesting(std::optional<DesktopFolders> folders) {
  return std::exchange(StandIn(), std::move(folders));
}

}  // namespace tavlex
