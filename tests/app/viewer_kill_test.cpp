// The viewer killed (SIGKILL) while a user keeps entry after entry with
// Ctrl+D, twenty times: every keep its status line confirmed is in the word
// book, once, and the file passes SQLite's integrity check.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_dictionaries.h"
#include "wordbook/sqlite.h"
#include "wordbook/word_book.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 20;
constexpr int kAdditions = 1000;

std::u16string Word(int i) {
  char word[16];
  std::snprintf(word, sizeof word, "w%05d", i);
  return std::u16string(word, word + 6);
}

// The numbers a child's output says were kept.
std::set<int> Confirmed(const fs::path& out) {
  std::set<int> kept;
  std::ifstream in(out);
  int i = 0;
  std::string word;
  while (in >> i >> word) {
    if (word == "kept") kept.insert(i);
  }
  return kept;
}

pid_t StartViewer(const fs::path& ini, int first, const fs::path& out) {
  return testing::StartProgram(TAVLEX_KEEPING_VIEWER_CHILD,
                               {ini.string(), std::to_string(first), std::to_string(kAdditions)}, out,
                               out.string() + ".err");
}

TEST(ViewerKill, AViewerKilledWhileKeepingLosesNoConfirmedEntry) {
  const testing::TempDir dir;
  std::vector<std::u16string> words;
  for (int i = 0; i < kRounds * kAdditions; ++i) words.push_back(Word(i));
  const fs::path dictionary = testing::WriteTestDictionary(dir, "words.dic", testing::Words(words));
  std::ofstream(dir.path() / "tavlex.ini") << "[dictionary]\ndic1=" << dictionary.string() << "\n";
  // The children's word book, and no screen for them.
  ::setenv("XDG_DATA_HOME", (dir.path() / "data").c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const fs::path book = dir.path() / "data" / "tavlex" / "wordbook.sqlite";

  std::mt19937 random(31);
  std::set<int> confirmed;
  size_t finished = 0;
  for (int round = 0; round < kRounds; ++round) {
    const fs::path out = dir.path() / ("round" + std::to_string(round));
    const pid_t child = StartViewer(dir.path() / "tavlex.ini", round * kAdditions, out);
    // Killed in the middle: once a random number of its keeps are confirmed.
    const size_t until = 1 + random() % (kAdditions - 1);
    for (int wait = 0; wait < 6000 && Confirmed(out).size() < until && !testing::ProgramEnded(child);
         ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (testing::KillProgram(child) != testing::kSignalStatusBase + SIGKILL) ++finished;
    const std::string said = testing::FileText(out.string() + ".err");
    EXPECT_EQ(said.find("not kept"), std::string::npos) << said;
    for (const int i : Confirmed(out)) confirmed.insert(i);
  }
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(finished, 0u) << "each viewer was killed before it kept its last entry";
  EXPECT_GT(confirmed.size(), static_cast<size_t>(kRounds));

  wordbook::WordBook reader(book);
  std::multiset<std::u16string> kept;
  for (const wordbook::KeptEntry& entry : reader.Entries()) kept.insert(entry.headword);
  for (const int i : confirmed) EXPECT_EQ(kept.count(Word(i)), 1u) << i;
  sqlite::Connection db(book, SQLITE_OPEN_READONLY);
  sqlite::Statement check(db, "PRAGMA integrity_check");
  ASSERT_TRUE(check.Step());
  EXPECT_EQ(check.Text(0, 100), "ok");
}

}  // namespace
}  // namespace tavlex
