// The word book as the viewer and the command line use it: an entry kept
// once, read back newest first by another connection, removed and put back
// as it was, and the marks current with another program's changes.
#include "wordbook/word_book.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"
#include "tests/wordbook/kept_samples.h"
#include "wordbook/word_book_path.h"

namespace tavlex::wordbook {
namespace {

using testing::Kept;
using testing::Sample;

class WordBookTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  std::filesystem::path file_ = dir_.path() / "data" / "tavlex" / "wordbook.sqlite";
};

TEST_F(WordBookTest, KeepsAnEntryOnceByDictionaryHeadwordAndTranslation) {
  struct Case {
    Sample sample;
    Change::Outcome outcome;
  };
  const Case cases[] = {
      {{u"take care of", u"世話をする", u"/dic/english.dic", u"She took care of it.", 4, 16, 1000},
       Change::kDone},
      // The same entry looked up from another text is the same entry.
      {{u"take care of", u"世話をする", u"/dic/english.dic", u"Take care of yourself.", 0, 12, 2000},
       Change::kAlreadyKept},
      {{u"take care of", u"世話をする", u"/dic/other.dic", u"", 0, 0, 3000}, Change::kDone},
      {{u"take care of", u"気をつける", u"/dic/english.dic", u"", 0, 0, 3000}, Change::kDone},
      {{u"Take care of", u"世話をする", u"/dic/english.dic", u"", 0, 0, 4000}, Change::kDone},
  };
  std::vector<KeptEntry> model;  // newest first
  {
    WordBook book(file_);
    EXPECT_FALSE(std::filesystem::exists(file_)) << "made by the first change only";
    for (const Case& c : cases) {
      const Change change = book.Keep(Kept(c.sample));
      ASSERT_EQ(change.outcome, c.outcome) << change.error;
      if (c.outcome == Change::kDone) model.insert(model.begin(), change.entry);
      if (c.outcome == Change::kAlreadyKept) {
        EXPECT_EQ(change.entry, model.back()) << "the one kept first";
      }
    }
  }
  WordBook reopened(file_);
  EXPECT_EQ(reopened.status().problem, Problem::kNone);
  EXPECT_EQ(reopened.Entries(), model);
  EXPECT_EQ(reopened.Entries(3000), std::vector(model.begin(), model.begin() + 3));
  EXPECT_EQ(reopened.Find(model.back().id), model.back());
  EXPECT_EQ(model.back().sourceText, u"She took care of it.");
}

TEST_F(WordBookTest, ARemovedEntryComesBackAsItWasAndIdsAreNotGivenTwice) {
  WordBook book(file_);
  const KeptEntry first = book.Keep(Kept({u"go", u"行く", u"/dic/a.dic", u"He went.", 3, 7, 500})).entry;
  const KeptEntry second = book.Keep(Kept({u"come"})).entry;

  const Change removed = book.Remove(second.id);
  ASSERT_EQ(removed.outcome, Change::kDone);
  EXPECT_EQ(removed.entry, second);
  EXPECT_EQ(book.Remove(second.id).outcome, Change::kNotFound);
  const KeptEntry third = book.Keep(Kept({u"see"})).entry;
  EXPECT_GT(third.id, second.id);

  EXPECT_EQ(book.Restore(second).outcome, Change::kDone);
  EXPECT_EQ(book.Entries(), (std::vector{third, second, first}));
  // Kept again since its removal: nothing is put back twice.
  ASSERT_EQ(book.Remove(first.id).outcome, Change::kDone);
  const KeptEntry again = book.Keep(Kept({u"go", u"行く", u"/dic/a.dic"})).entry;
  const Change restored = book.Restore(first);
  EXPECT_EQ(restored.outcome, Change::kAlreadyKept);
  EXPECT_EQ(restored.entry, again);
}

TEST_F(WordBookTest, MarksFollowOwnChangesAndThoseOfAnotherConnection) {
  WordBook viewer(file_);
  Entry found;
  found.key = u"naive";
  found.display = u"naïve";
  found.translation = u"素朴な";
  const EntryIdentity identity = IdentityOf(found, u"/dic/english.dic");
  EXPECT_FALSE(viewer.Marks().Contains(identity)) << "no file yet";

  WordBook tool(file_);
  const KeptEntry kept =
      tool.Keep(EntryToKeep(found, u"English", u"/dic/english.dic", u"a naive", 2, 7)).entry;
  EXPECT_EQ(kept.headword, u"naïve");
  EXPECT_TRUE(viewer.Marks().Contains(identity)) << "made and changed by another";
  EXPECT_FALSE(viewer.Marks().Contains({u"/dic/other.dic", u"naïve", u"素朴な"}));

  ASSERT_EQ(viewer.Remove(kept.id).outcome, Change::kDone);
  EXPECT_FALSE(viewer.Marks().Contains(identity));
  ASSERT_EQ(tool.Restore(kept).outcome, Change::kDone);
  // Looks at the marks, at every redraw, leave nothing open that would keep
  // the viewer from changing the word book after another program did.
  for (int redraw = 0; redraw < 2; ++redraw) EXPECT_TRUE(viewer.Marks().Contains(identity));
  ASSERT_EQ(tool.Keep(Kept({.headword = u"go"})).outcome, Change::kDone);
  EXPECT_EQ(viewer.Keep(Kept({.headword = u"come"})).outcome, Change::kDone);
  EXPECT_EQ(viewer.Marks().size(), 3u);
}

TEST_F(WordBookTest, AnEntryIsMarkedWhateverFormItWasKeptUnder) {
  struct Case {
    std::u16string own;      // the entry's headword in its dictionary
    std::u16string keptAs;   // the form it was kept under, as a look-up of a text keeps it
    std::u16string keptIn;   // the dictionary it was kept from
    std::u16string shownIn;  // the dictionary of the entry on show
    bool removed;
    bool marked;
  };
  const Case cases[] = {
      {u"take", u"take", u"/dic/a.dic", u"/dic/a.dic", false, true},
      {u"Take", u"take", u"/dic/a.dic", u"/dic/a.dic", false, true},
      {u"Take care of", u"take care of", u"/dic/a.dic", u"/dic/a.dic", false, true},
      {u"食べる", u"食べる", u"/dic/a.dic", u"/dic/b.dic", false, false},
      {u"go", u"go", u"/dic/a.dic", u"/dic/a.dic", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.own) + " kept as " + ::testing::PrintToString(c.keptAs));
    std::filesystem::remove(file_);
    Entry entry;
    entry.key = c.own;
    entry.translation = u"訳";
    KeptEntry toKeep = EntryToKeep(entry, u"A", c.keptIn, c.keptAs, 0, 2);
    toKeep.headword = c.keptAs;
    WordBook viewer(file_);
    const Change kept = viewer.Keep(toKeep);
    ASSERT_EQ(kept.outcome, Change::kDone) << kept.error;
    if (c.removed) {
      ASSERT_EQ(WordBook(file_).Remove(kept.entry.id).outcome, Change::kDone);
    }
    EXPECT_EQ(viewer.Marks().Contains(IdentityOf(entry, c.shownIn)), c.marked);
    // Kept again under its own headword: the same entry, unless it is gone.
    const Change again = viewer.Keep(EntryToKeep(entry, u"A", c.keptIn, u"", 0, 0));
    EXPECT_EQ(again.outcome, c.removed ? Change::kDone : Change::kAlreadyKept);
    EXPECT_EQ(again.entry.headword, c.removed ? c.own : c.keptAs);
  }
}

TEST(KeptEntry, TheCoveredRangeStaysInsideItsTextAndOffCharacterHalves) {
  struct Case {
    std::u16string text;
    uint32_t begin, end;
    uint32_t narrowedBegin, narrowedEnd;
  };
  const Case cases[] = {
      {u"took care of", 5, 9, 5, 9},
      {u"took", 2, 99, 2, 4},
      {u"took", 99, 99, 4, 4},
      {u"took", 3, 1, 3, 3},
      {u"a\U0001F600b", 2, 3, 1, 3},
      {u"a\U0001F600b", 0, 2, 0, 3},
      {u"", 1, 2, 0, 0},
  };
  for (const Case& c : cases) {
    const KeptEntry entry = EntryToKeep({}, u"", u"", c.text, c.begin, c.end);
    EXPECT_EQ(entry.coveredBegin, c.narrowedBegin) << c.begin << "-" << c.end;
    EXPECT_EQ(entry.coveredEnd, c.narrowedEnd) << c.begin << "-" << c.end;
  }
}

TEST(WordBookPath, ComesFromTheDataFolderOfTheEnvironment) {
  struct Case {
    const char* data;
    const char* home;
    std::filesystem::path file;
  };
  const Case cases[] = {
      {"/data", "/home/u", "/data/tavlex/wordbook.sqlite"},
      {"relative/data", "/home/u", "/home/u/.local/share/tavlex/wordbook.sqlite"},
      {nullptr, "/home/u", "/home/u/.local/share/tavlex/wordbook.sqlite"},
      {nullptr, "relative", ""},
      {nullptr, nullptr, ""},
  };
  for (const Case& c : cases) {
    const auto environment = [&c](const char* name) {
      return std::string_view(name) == "HOME" ? c.home : c.data;
    };
    EXPECT_EQ(WordBookPath(DesktopFoldersOf(environment)), c.file) << c.file;
  }
}

}  // namespace
}  // namespace tavlex::wordbook
