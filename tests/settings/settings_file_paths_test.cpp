// A settings file that is not there as expected: a folder, a FIFO, a file
// the user may not read; and the temporary files that killed saves leave.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "base/atomic_file.h"
#include "settings/ini_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

TEST(SettingsFilePaths, FolderOrFifoLoadsDefaultsAndIsLeftAlone) {
  const testing::TempDir dir;
  const fs::path folder = dir.path() / "folder.ini";
  const fs::path fifo = dir.path() / "fifo.ini";
  fs::create_directory(folder);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const fs::path& path : {folder, fifo}) {
    IniFile ini;
    ini.LoadPath(path);  // must neither throw nor wait for a writer
    EXPECT_EQ(ini.GetInt(u"dictionary", u"cachesize", 3), 3) << path;
    ini.SetString(u"dictionary", u"dic1", u"/x.dic");
    ini.Save();  // fails quietly
  }
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"fifo.ini", "folder.ini"}));
}

TEST(SettingsFilePaths, AnUnreadableFileLoadsDefaults) {
  const testing::TempDir dir;
  fs::permissions(dir.path(), fs::perms::all);
  const fs::path path = dir.path() / "tavlex.ini";
  std::ofstream(path) << "[dictionary]\ncachesize=5\n";
  fs::permissions(path, fs::perms::none);
  EXPECT_TRUE(testing::PassesUnprivileged([&] {
    IniFile ini;
    ini.LoadPath(path);
    return ini.GetInt(u"dictionary", u"cachesize", 3) == 3;
  }));
}

TEST(SettingsFilePaths, ASaveRemovesOnlyLeftoversOfKilledSavesOfItsOwnFile) {
  const testing::TempDir dir;
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
  const std::string deadPid = std::to_string(dead), livePid = std::to_string(::getpid());
  const std::set<std::string> kept = {
      "tavlex.ini.tmp-" + livePid + "-a1B2c3",   // a save still running
      "other.ini.tmp-" + deadPid + "-a1B2c3",    // another file's
      "tavlex.ini.tmp-" + deadPid + "-a1B2",     // not the pattern
      "tavlex.ini.tmp-x" + deadPid + "-a1B2c3",  // not the pattern
      "tavlex.ini.bak",
  };
  for (const std::string& name : kept) std::ofstream(dir.path() / name) << "x";
  std::ofstream(dir.path() / ("tavlex.ini.tmp-" + deadPid + "-Zz09aB")) << "[half";
  fs::create_directory(dir.path() / ("tavlex.ini.tmp-" + deadPid + "-dir000"));  // not a file we write

  ASSERT_TRUE(ReplaceFileContents(dir.path() / "tavlex.ini", "[S]\n", ::write));
  std::set<std::string> expected = kept;
  expected.insert({"tavlex.ini", "tavlex.ini.tmp-" + deadPid + "-dir000"});
  EXPECT_EQ(Names(dir.path()), expected);
}

}  // namespace
}  // namespace tavlex
