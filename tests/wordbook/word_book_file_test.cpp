// Files the word book must not write over: damaged, foreign, of a newer
// version, write-protected; each opened read-only where it can be read, with
// its reason, and left byte for byte as it was. And rows that hold anything.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"
#include "tests/wordbook/kept_samples.h"
#include "wordbook/exports.h"
#include "wordbook/word_book.h"

namespace tavlex::wordbook {
namespace {

namespace fs = std::filesystem;
using testing::Kept;

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Sql(const fs::path& file, const std::string& sql) {
  sqlite::Connection db(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  db.Execute(sql.c_str());
}

// A word book of count entries of a few hundred bytes, closed (its log
// folded into the file).
void Fill(const fs::path& file, int count) {
  WordBook book(file);
  for (int i = 0; i < count; ++i)
    book.Keep(Kept({u"word" + std::u16string(i, u'x'), std::u16string(200, u'訳')}));
}

const std::string kNewer = "PRAGMA user_version=" + std::to_string(kSchemaVersion + 1);

class WordBookFileTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  fs::path file_ = dir_.path() / "wordbook.sqlite";
};

TEST_F(WordBookFileTest, AFileNotOursToWriteIsLeftAsItIsWithItsReason) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> make;
    Access access;
    Problem problem;
    size_t readable;
  };
  const Case cases[] = {
      {"not a database", [](const fs::path& f) { std::ofstream(f) << std::string(8192, 'x'); },
       Access::kUnavailable, Problem::kForeign, 0},
      {"another program's",
       [](const fs::path& f) { Sql(f, "CREATE TABLE notes (text); PRAGMA application_id=7"); },
       Access::kUnavailable, Problem::kForeign, 0},
      {"without an id", [](const fs::path& f) { Sql(f, "CREATE TABLE entries (headword)"); },
       Access::kUnavailable, Problem::kForeign, 0},
      {"newer", [](const fs::path& f) { Fill(f, 3), Sql(f, kNewer); }, Access::kReadOnly,
       Problem::kNewerVersion, 3},
      {"newer, other columns",
       [](const fs::path& f) {
         Fill(f, 3), Sql(f, std::string("ALTER TABLE entries DROP COLUMN example;") + kNewer);
       },
       Access::kUnavailable, Problem::kNewerVersion, 0},
      {"damaged",
       [](const fs::path& f) {
         Fill(f, 40);
         std::fstream out(f, std::ios::in | std::ios::out | std::ios::binary);
         out.seekp(3 * 4096);
         out << std::string(4096, '\xA5');  // a whole page
       },
       Access::kReadOnly, Problem::kDamaged, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(file_);
    c.make(file_);
    const std::string before = Bytes(file_);
    {
      WordBook book(file_);
      const size_t read = book.Entries().size();
      if (c.readable > 0) {
        EXPECT_EQ(read, c.readable);
      }
      EXPECT_EQ(book.status().access, c.access);
      EXPECT_EQ(book.status().problem, c.problem);
      EXPECT_NE(Describe(book.status(), file_).find(file_.string() + ": "), std::string::npos);
      EXPECT_EQ(book.Keep(Kept({u"new"})).outcome, Change::kFailed);
    }
    EXPECT_EQ(Bytes(file_), before) << "the file is kept as it was";
  }
}

TEST_F(WordBookFileTest, AnEmptyFileBecomesTheWordBookAndAWriteProtectedOneIsReadOnly) {
  std::ofstream(file_).close();
  EXPECT_EQ(WordBook(file_).Keep(Kept({u"first"})).outcome, Change::kDone);
  // The folder stays open to all, for the log and its index beside the file.
  ::chmod(dir_.path().c_str(), 0777);
  ::chmod(file_.c_str(), 0444);
  EXPECT_TRUE(testing::PassesUnprivileged([&] {
    WordBook book(file_);
    return book.Entries().size() == 1 && book.Keep(Kept({u"second"})).outcome == Change::kFailed &&
           book.status().problem == Problem::kNotWritable && book.status().access == Access::kReadOnly;
  }));
}

TEST_F(WordBookFileTest, AChangeCutShortByACrashIsRolledBackAndTheWordBookStaysWritable) {
  Fill(file_, 40);
  const std::vector<KeptEntry> committed = WordBook(file_).Entries();
  Sql(file_, "PRAGMA journal_mode=DELETE");  // as during the switch to the log, when the file is made
  if (::fork() == 0) {
    // Pages of a change written to the file, then the program gone: a hot journal.
    sqlite::Connection db(file_, SQLITE_OPEN_READWRITE);
    db.Execute("PRAGMA cache_size=1; BEGIN; UPDATE entries SET translation = hex(randomblob(3000))");
    ::_exit(0);
  }
  ::wait(nullptr);
  ASSERT_TRUE(fs::exists(file_.string() + "-journal"));
  WordBook book(file_);
  EXPECT_EQ(book.status().problem, Problem::kNone);
  EXPECT_EQ(book.Entries(), committed);
  EXPECT_EQ(book.Keep(Kept({u"after"})).outcome, Change::kDone);
}

TEST_F(WordBookFileTest, AFileOfTheFirstVersionKeepsItsEntriesUnderTheHeadwordsItHas) {
  const std::vector<KeptEntry> kept = {Kept({u"take care of", u"世話をする"}), Kept({u"go", u"行く"})};
  for (const bool writable : {true, false}) {
    SCOPED_TRACE(writable ? "migrated" : "write-protected");
    fs::remove(file_);
    std::vector<KeptEntry> model;  // newest first
    for (const KeptEntry& entry : kept) model.insert(model.begin(), WordBook(file_).Keep(entry).entry);
    Sql(file_, "ALTER TABLE entries DROP COLUMN entry_headword; PRAGMA user_version=1");
    ::chmod(dir_.path().c_str(), 0777);
    ::chmod(file_.c_str(), writable ? 0666 : 0444);
    EXPECT_TRUE(testing::PassesUnprivileged([&] {
      WordBook book(file_);
      bool marked = true;
      for (const KeptEntry& entry : model) marked = marked && book.Marks().Contains(IdentityOf(entry));
      KeptEntry sameEntry = kept.front();
      sameEntry.headword = u"Take care of";
      sameEntry.entryHeadword = u"take care of";
      const Change::Outcome again = book.Keep(sameEntry).outcome;
      return book.Entries() == model && marked &&
             again == (writable ? Change::kAlreadyKept : Change::kFailed);
    }));
  }
}

TEST_F(WordBookFileTest, EveryColumnOfARowIsUntrusted) {
  // Our id and version, but a table of any types, as a hand-made file may have.
  Sql(file_,
      "CREATE TABLE entries (id INTEGER PRIMARY KEY, kept_at, dictionary_name, dictionary_path, headword, "
      "pronunciation, translation, example, source_text, covered_begin, covered_end, identity);"
      "INSERT INTO entries VALUES (1, 'soon', 3.5, NULL, x'66FF6F', 12, zeroblob(3000000), 'e', 'took', -5, "
      "1e15, 'x');"
      "INSERT INTO entries VALUES (2, 1e300, '', '', 'go', '', '', '', 'a\U0001F600b', 2, 3, 0);"
      "PRAGMA application_id=1415673452; PRAGMA user_version=1");
  WordBook book(file_);
  const std::vector<KeptEntry> entries = book.Entries();
  ASSERT_EQ(entries.size(), 2u);
  const KeptEntry& odd = entries[0];  // a text sorts after every number
  EXPECT_EQ(odd.keptAt, 0);
  EXPECT_EQ(odd.dictionaryName, u"3.5");
  EXPECT_EQ(odd.dictionaryPath, u"");
  EXPECT_EQ(odd.headword, u"f\uFFFDo");
  EXPECT_EQ(odd.pronunciation, u"12");
  EXPECT_EQ(odd.translation.size(), size_t{1} << 20) << "cut at a megabyte";
  EXPECT_EQ(odd.coveredBegin, 0u);
  EXPECT_EQ(odd.coveredEnd, 4u);
  EXPECT_EQ(entries[1].keptAt, 253'402'300'799'999);
  EXPECT_EQ(entries[1].coveredBegin, 1u) << "not inside a surrogate pair";
  std::ostringstream out;
  for (const ExportFormat format : {ExportFormat::kAnki, ExportFormat::kCsv, ExportFormat::kJsonLines}) {
    WriteExport(format, entries, {}, out);
  }
  EXPECT_GT(out.str().size(), 3u << 20);
}

}  // namespace
}  // namespace tavlex::wordbook
