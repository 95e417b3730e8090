// The viewer's options in section "dictionary": defaults, the exact-1 switch,
// and what confirming the options writes.
#include "settings/viewer_options.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/temp_dir.h"

namespace tavlex {
namespace {

class ViewerOptionsTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) {
    std::ofstream(dir_.path() / "tavlex.ini") << text;
    ini_.LoadPath(dir_.path() / "tavlex.ini");
  }
  testing::TempDir dir_;
  IniFile ini_;
};

TEST_F(ViewerOptionsTest, DefaultsAndTheIncrementalSwitch) {
  Load("[dictionary]\nincresearch=\n");
  EXPECT_EQ(LoadViewerOptions(ini_), ViewerOptions{});
  EXPECT_TRUE(LoadViewerOptions(ini_).incresearch);

  Load("[dictionary]\nincresearch=2\ndelay=300\nconjudelay=-5\nMenuTenkey=1\nFontOnStorage=/opt/fl\n");
  const ViewerOptions options = LoadViewerOptions(ini_);
  EXPECT_FALSE(options.incresearch);  // only exactly 1 turns it on
  EXPECT_EQ(options.delay, 300);
  EXPECT_EQ(options.conjudelay, -5);
  EXPECT_EQ(options.menuTenkey, 1);
  EXPECT_EQ(options.fontOnStorage, u"/opt/fl");
}

TEST_F(ViewerOptionsTest, SavingWritesTheFourDialogKeysAndLeavesTheLoaderAlone) {
  Load("[dictionary]\ndic1=/a.dic\nincresearch=7\n");
  ViewerOptions options;
  options.incresearch = false;
  options.delay = 250;
  options.fontOnStorage = u"/never/written";
  SaveViewerOptions(options, ini_);
  ini_.Save();

  std::ifstream in(dir_.path() / "tavlex.ini");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "[dictionary]\ndic1=/a.dic\nincresearch=0\ndelay=250\nconjudelay=0\nMenuTenkey=0\n");
}

}  // namespace
}  // namespace tavlex
