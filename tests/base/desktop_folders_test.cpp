// The program's folders from an environment: each variable on its own, the
// places under HOME where one is unset or relative, and none without either.
#include "base/desktop_folders.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tavlex {
namespace {

TEST(DesktopFolders, EachVariableOrItsPlaceUnderHome) {
  struct Case {
    std::map<std::string, std::string> environment;
    const char* config;
    const char* cache;
    const char* data;
  };
  const Case cases[] = {
      {{{"XDG_CONFIG_HOME", "/c"}, {"XDG_CACHE_HOME", "/k"}, {"XDG_DATA_HOME", "/d"}, {"HOME", "/h"}},
       "/c/tavlex",
       "/k/tavlex",
       "/d/tavlex"},
      {{{"HOME", "/home/u"}},
       "/home/u/.config/tavlex",
       "/home/u/.cache/tavlex",
       "/home/u/.local/share/tavlex"},
      // One variable set leaves the others to HOME; a relative one counts as unset.
      {{{"XDG_CACHE_HOME", "/k"}, {"XDG_DATA_HOME", "relative"}, {"HOME", "/h"}},
       "/h/.config/tavlex",
       "/k/tavlex",
       "/h/.local/share/tavlex"},
      {{{"XDG_CONFIG_HOME", ""}, {"HOME", "/h"}},
       "/h/.config/tavlex",
       "/h/.cache/tavlex",
       "/h/.local/share/tavlex"},
      // Without an absolute HOME only the variables themselves tell a folder.
      {{{"XDG_DATA_HOME", "/d"}, {"HOME", "relative"}}, "", "", "/d/tavlex"},
      {{}, "", "", ""},
  };
  for (const Case& c : cases) {
    const auto environment = [&c](const char* name) -> const char* {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    };
    const DesktopFolders folders = DesktopFoldersOf(environment);
    EXPECT_EQ(folders.config, std::filesystem::path(c.config)) << c.config;
    EXPECT_EQ(folders.cache, std::filesystem::path(c.cache)) << c.cache;
    EXPECT_EQ(folders.data, std::filesystem::path(c.data)) << c.data;
  }
}

}  // namespace
}  // namespace tavlex
