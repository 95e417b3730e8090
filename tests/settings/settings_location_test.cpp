// Where the settings file lives: beside the executable in a build tree or a
// carried copy, in the user's config folder for an installed program or a
// folder that cannot be written; and a config folder made at the first save.
#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <fstream>

#include "settings/ini_file.h"
#include "tests/support/fake_desktop_folders.h"
#include "tests/support/temp_dir.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

class SettingsLocationTest : public ::testing::Test {
 protected:
  SettingsPlaces Places(const fs::path& executableDirectory) const {
    return {executableDirectory, root() / "xdg/tavlex"};
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
  places.configFolder.clear();
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

TEST_F(SettingsLocationTest, TheRunningProgramsPlacesAreItsFolderAndTheUsersConfigFolder) {
  const testing::FakeDesktopFolders folders(root());
  const SettingsPlaces places = CurrentSettingsPlaces();
  EXPECT_EQ(places.configFolder, root() / "config");
  EXPECT_TRUE(fs::is_directory(places.executableDirectory));
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
