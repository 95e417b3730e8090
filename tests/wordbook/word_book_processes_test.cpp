// The word book shared by programs running at once, and by a program killed
// while it keeps entries: nothing confirmed is lost, nothing kept twice, no
// "database is locked", and the file stays sound.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "base/utf8.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "wordbook/word_book.h"

namespace tavlex::wordbook {
namespace {

namespace fs = std::filesystem;

// keeper_child FILE FIRST COUNT, its output going to out; its process id.
pid_t StartKeeper(const fs::path& file, int first, int count, const fs::path& out) {
  return testing::StartProgram(TAVLEX_KEEPER_CHILD,
                               {file.string(), std::to_string(first), std::to_string(count)}, out,
                               out.string() + ".err");
}

// The words a keeper's output says were kept ("kept") or found ("already").
std::map<int, std::string> Confirmed(const fs::path& out) {
  std::map<int, std::string> lines;
  std::ifstream in(out);
  int i = 0;
  std::string word;
  while (in >> i >> word) lines[i] = word;
  return lines;
}

std::multiset<std::u16string> Headwords(WordBook& book) {
  std::multiset<std::u16string> words;
  for (const KeptEntry& entry : book.Entries()) words.insert(entry.headword);
  return words;
}

std::u16string Word(int i) { return Utf8ToUtf16("word-" + std::to_string(i)); }

TEST(WordBookProcesses, TwoProgramsAtOnceLoseNothingAndKeepEachEntryOnce) {
  const testing::TempDir dir;
  const fs::path file = dir.path() / "new" / "wordbook.sqlite";
  // Both make the file, and half of their entries are the same.
  const pid_t a = StartKeeper(file, 0, 120, dir.path() / "a");
  const pid_t b = StartKeeper(file, 60, 120, dir.path() / "b");
  WordBook reader(file);
  for (int i = 0; i < 50; ++i) {
    reader.Entries();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_EQ(testing::WaitProgram(a), 0);
  EXPECT_EQ(testing::WaitProgram(b), 0);
  for (const char* name : {"a.err", "b.err"}) {
    EXPECT_EQ(testing::FileText(dir.path() / name), "") << "no failure, no \"locked\"";
  }

  const std::map<int, std::string> byA = Confirmed(dir.path() / "a");
  const std::map<int, std::string> byB = Confirmed(dir.path() / "b");
  std::multiset<std::u16string> model;
  for (int i = 0; i < 180; ++i) {
    model.insert(Word(i));
    const int kept = (byA.contains(i) && byA.at(i) == "kept") + (byB.contains(i) && byB.at(i) == "kept");
    EXPECT_EQ(kept, 1) << "word-" << i << " kept by exactly one";
  }
  EXPECT_EQ(byA.size() + byB.size(), 240u);
  EXPECT_EQ(Headwords(reader), model);
  EXPECT_EQ(reader.status().problem, Problem::kNone);
}

TEST(WordBookProcesses, AProgramKilledWhileKeepingLosesNoConfirmedEntry) {
  const testing::TempDir dir;
  const fs::path file = dir.path() / "wordbook.sqlite";
  std::mt19937 random(27);
  std::set<std::u16string> confirmed;
  for (int round = 0; round < 20; ++round) {
    const fs::path out = dir.path() / ("round" + std::to_string(round));
    const pid_t child = StartKeeper(file, round * 1000, 1000, out);
    // Killed in the middle: after its first addition (a slow start, under a
    // sanitizer say, is waited for), at a random moment.
    for (int wait = 0; wait < 1000 && Confirmed(out).empty() && !testing::ProgramEnded(child); ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % 60));
    testing::KillProgram(child);
    for (const auto& [i, word] : Confirmed(out)) confirmed.insert(Word(i));
  }
  WordBook book(file);
  const std::multiset<std::u16string> kept = Headwords(book);
  for (const std::u16string& word : confirmed) EXPECT_EQ(kept.count(word), 1u) << Utf16ToUtf8(word);
  EXPECT_GT(confirmed.size(), 20u);
  sqlite::Connection db(file, SQLITE_OPEN_READONLY);
  sqlite::Statement check(db, "PRAGMA integrity_check");
  ASSERT_TRUE(check.Step());
  EXPECT_EQ(check.Text(0, 100), "ok");
}

}  // namespace
}  // namespace tavlex::wordbook
