// Ended by a signal, as at logout or shutdown, the viewer closes as its exit
// command closes it: a dictionary registered in the run reaches the settings
// file, also when a dialog was open. Killed outright (SIGKILL), it has
// written the file as the registration ended, and the history as Return put
// a word into it.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

TEST(Shutdown, EachSignalEndsTheRunAsTheExitCommandDoes) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
    for (const bool withDialog : {false, true}) {
      const std::string what = std::string(strsignal(signal)) + (withDialog ? ", options dialog open" : "");
      testing::TempDir dir;
      const std::string ini = (dir.path() / "tavlex.ini").string();
      std::ofstream(ini) << "[dictionary]\n";
      const std::string dictionary =
          std::filesystem::path(testing::WriteTestDictionary(dir, "words.dic", testing::Words({u"go"})))
              .string();
      std::vector<std::string> args = {ini, dictionary, std::to_string(signal)};
      if (withDialog) args.push_back("--dialog");

      const testing::ProgramResult result = testing::RunProgram(TAVLEX_VIEWER_CHILD, args);
      // Written as the registration ended, then once at the end, unless killed.
      const bool killed = signal == SIGKILL;
      EXPECT_EQ(result.status, killed ? 128 + SIGKILL : 0) << what << ": " << result.err;
      EXPECT_EQ(result.out, killed ? "" : "writes=2\n") << what;
      std::ifstream in(ini);
      const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_NE(saved.find("dic1=" + dictionary + "\n"), std::string::npos) << what << ":\n" << saved;
      EXPECT_NE(saved.find("[" + dictionary + "]\n"), std::string::npos) << what << ":\n" << saved;
    }
  }
}

TEST(Shutdown, AWordSearchedWithReturnOutlivesAKillAndLettersWriteNothing) {
  struct Case {
    int signal;
    const char* word;
    const char* writes;  // the registration, Return, and the end unless killed
    const char* history;
  };
  for (const Case& c : {
           Case{SIGKILL, "go", "", "[history]\n1=go\n"},
           Case{SIGTERM, "go", "writes=3\n", "[history]\n1=go\n"},
           Case{SIGTERM, "  river.", "writes=3\n", "[history]\n1=river\n"},  // as searched
       }) {
    testing::TempDir dir;
    const std::string ini = (dir.path() / "tavlex.ini").string();
    std::ofstream(ini) << "[dictionary]\n[history]\n";
    const std::string dictionary =
        std::filesystem::path(testing::WriteTestDictionary(dir, "words.dic", testing::Words({u"go"})))
            .string();
    const testing::ProgramResult result = testing::RunProgram(
        TAVLEX_VIEWER_CHILD, {ini, dictionary, std::to_string(c.signal), "--search", c.word});
    EXPECT_EQ(result.out, c.writes) << c.word << ": " << result.err;
    std::ifstream in(ini);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(saved.find(c.history), std::string::npos) << c.word << ":\n" << saved;
  }
}

}  // namespace
}  // namespace tavlex
