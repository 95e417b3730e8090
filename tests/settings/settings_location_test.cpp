// Where the settings file lives: beside the executable in a build tree or a
// carried copy, in the user's config folder for an installed program or a
// folder that cannot be written; and a config folder made at the first save.
#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "settings/ini_file.h"
#include "tests/support/temp_dir.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

class SettingsLocationTest : public ::testing::Test {
 protected:
  SettingsPlaces Places(const fs::path& executableDirectory) const {
    return {executableDirectory, root() / "xdg", root() / "home"};
  }
  const fs::path& root() const { return dir_.path(); }

  testing::TempDir dir_;
};

TEST_F(SettingsLocationTest, BesideTheExecutableOrInTheConfigFolder) {
  const fs::path bin = root() / "bin";
  fs::create_directories(bin);
  EXPECT_EQ(SettingsFilePath(u"tavlex.ini", Places(bin)), bin / "tavlex.ini");

  // A folder that cannot be written (here: one that is gone).
  const fs::path gone = root() / "gone";
  SettingsPlaces places = Places(gone);
  EXPECT_EQ(SettingsFilePath(u"tavlex.ini", places), root() / "xdg/tavlex/tavlex.ini");
  places.xdgConfigHome.reset();
  EXPECT_EQ(SettingsFilePath(u"tavlex.ini", places), root() / "home/.config/tavlex/tavlex.ini");
  places.home.reset();
  EXPECT_EQ(SettingsFilePath(u"tavlex.ini", places), gone / "tavlex.ini");

  // Installed: the data folder beside bin/. Its folder is writable here, as
  // /usr/bin is for root, but a settings file there only counts when it exists.
  EXPECT_EQ(InstalledDataFolder(bin), std::nullopt);
  fs::create_directories(root() / "share/tavlex");
  EXPECT_EQ(InstalledDataFolder(bin), root() / "share/tavlex");
  EXPECT_EQ(SettingsFilePath(u"tavlex.ini", Places(bin)), root() / "xdg/tavlex/tavlex.ini");
  std::ofstream(bin / "tavlex.ini") << "[Options]\n";
  EXPECT_EQ(SettingsFilePath(u"tavlex.ini", Places(bin)), bin / "tavlex.ini");
}

TEST_F(SettingsLocationTest, OnlyAbsoluteEnvironmentPathsCount) {
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
  ::setenv("HOME", "/home/someone", 1);
  SettingsPlaces places = CurrentSettingsPlaces();
  EXPECT_EQ(places.xdgConfigHome, std::nullopt);
  EXPECT_EQ(places.home, fs::path("/home/someone"));
  EXPECT_FALSE(places.executableDirectory.empty());
  ::setenv("XDG_CONFIG_HOME", "/config", 1);
  EXPECT_EQ(CurrentSettingsPlaces().xdgConfigHome, fs::path("/config"));
}

TEST_F(SettingsLocationTest, TheFolderIsMadeAtTheFirstSaveOrTheSettingsAreLostQuietly) {
  const fs::path fresh = root() / "xdg/tavlex/tavlex.ini";
  {
    IniFile ini;
    ini.LoadPath(fresh);
    EXPECT_FALSE(fs::exists(fresh.parent_path()));
    ini.SetInt(u"Options", u"delay", 300);
  }
  std::ifstream written(fresh);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "[Options]\ndelay=300\n");

  // A file stands where the config folder would go.
  std::ofstream(root() / "blocker") << "x";
  const fs::path blocked = root() / "blocker/tavlex/tavlex.ini";
  IniFile ini;
  ini.LoadPath(blocked);
  ini.SetInt(u"Options", u"delay", 300);
  ini.Save();
  EXPECT_FALSE(fs::exists(blocked));
  EXPECT_EQ(ini.GetInt(u"Options", u"delay", 0), 300);
}

}  // namespace
}  // namespace tavlex
