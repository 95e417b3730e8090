// Ended by a signal, as at logout or shutdown, the viewer closes as its exit
// command closes it: a dictionary registered in the run reaches the settings
// file, also when a dialog was open. Killed outright, it keeps what each
// command changed, since the file is written as each command ends.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/ini_file.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

TEST(Shutdown, EachSignalEndsTheRunAsTheExitCommandDoes) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    for (const bool withDialog : {false, true}) {
      const std::string what = std::string(strsignal(signal)) + (withDialog ? ", options dialog open" : "");
      testing::TempDir dir;
      const std::string ini = (dir.path() / "tavlex.ini").string();
      std::ofstream(ini) << "[dictionary]\n";
      const std::string dictionary =
          std::filesystem::path(testing::WriteTestDictionary(dir, "words.dic", testing::Words({u"go"})))
              .string();
      const testing::ProgramResult result = testing::RunProgram(
          TAVLEX_VIEWER_CHILD,
          {ini, dictionary, std::to_string(signal), withDialog ? "options-open" : "register"});
      EXPECT_EQ(result.status, 0) << what << ": " << result.err;
      // Once as the registration ended, once at the end.
      EXPECT_EQ(result.out, "writes=2\n") << what;
      std::ifstream in(ini);
      const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_NE(saved.find("dic1=" + dictionary + "\n"), std::string::npos) << what << ":\n" << saved;
      EXPECT_NE(saved.find("[" + dictionary + "]\n"), std::string::npos) << what << ":\n" << saved;
    }
  }
}

TEST(Shutdown, AKillRightAfterACommandKeepsWhatItChanged) {
  testing::TempDir dir;
  std::vector<std::u16string> paths;
  for (const char* name : {"a.dic", "b.dic", "c.dic"}) {
    paths.push_back(testing::WriteTestDictionary(dir, name, testing::Words({u"go"})));
  }
  const std::u16string& a = paths[0];
  struct Case {
    const char* command;
    std::u16string section, key, value;
  };
  const Case cases[] = {
      {"register", u"dictionary", u"dic3", paths[2]},  {"rename", a, u"DicName", u"Renamed"},
      {"remove", u"dictionary", u"dic1", paths[1]},    {"choose", a, u"notuse", u"1"},
      {"options", u"dictionary", u"MenuTenkey", u"1"},
  };
  for (const Case& c : cases) {
    const std::filesystem::path ini = dir.path() / (std::string(c.command) + ".ini");
    std::ofstream(ini) << "[dictionary]\ndic1=" << std::filesystem::path(a).string()
                       << "\ndic2=" << std::filesystem::path(paths[1]).string() << "\n";
    const testing::ProgramResult result = testing::RunProgram(
        TAVLEX_VIEWER_CHILD,
        {ini.string(), std::filesystem::path(paths[2]).string(), std::to_string(SIGKILL), c.command});
    EXPECT_EQ(result.status, 128 + SIGKILL) << c.command << ": " << result.err;
    IniFile saved;
    saved.LoadPath(ini);
    EXPECT_EQ(saved.GetString(c.section, c.key), c.value) << c.command;
  }
}

}  // namespace
}  // namespace tavlex
