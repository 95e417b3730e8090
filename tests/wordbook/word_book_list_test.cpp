// The word book window's list without the window: newest first, the filter
// with the full-text search's rules over every kept field, and removals
// undone in turn, each entry back as it was.
#include "wordbook/word_book_list.h"

#include <gtest/gtest.h>

#include "base/utf8.h"
#include "tests/support/temp_dir.h"
#include "tests/wordbook/kept_samples.h"

namespace tavlex::wordbook {
namespace {

using testing::Kept;

std::vector<std::u16string> Shown(const WordBookList& list) {
  std::vector<std::u16string> headwords;
  for (size_t i = 0; i < list.size(); ++i) headwords.push_back(list.at(i).headword);
  return headwords;
}

class WordBookListTest : public ::testing::Test {
 protected:
  WordBookListTest() {
    book_.Keep(Kept({.headword = u"take care of",
                     .translation = u"世話をする",
                     .source = u"She took care of her brother.",
                     .begin = 4,
                     .end = 16,
                     .keptAt = 1000}));
    book_.Keep(
        Kept({.headword = u"café", .translation = u"喫茶店", .keptAt = 2000, .example = u"a small café"}));
    book_.Keep(Kept(
        {.headword = u"カタカナ", .translation = u"katakana", .keptAt = 3000, .pronunciation = u"/ka/"}));
    book_.Keep(Kept({.headword = u"brother", .translation = u"兄弟\r\n(家族)", .keptAt = 4000}));
  }

  testing::TempDir dir_;
  WordBook book_{dir_.path() / "wordbook.sqlite"};
};

TEST_F(WordBookListTest, TheFilterFindsEveryWordInAnyFieldByTheFullTextRules) {
  struct Case {
    std::u16string filter;
    bool foldKana;
    std::vector<std::u16string> shown;
  };
  const std::vector<std::u16string> all = {u"brother", u"カタカナ", u"café", u"take care of"};
  const Case cases[] = {
      {u"", false, all},
      {u"  ", false, all},
      {u"CARE", false, {u"take care of"}},
      {u"ｃａｒｅ", false, {u"take care of"}},
      {u"brother", false, {u"brother", u"take care of"}},  // a headword, a source text
      {u"brother 世話", false, {u"take care of"}},         // every word, in any field
      {u"\"took care\"", false, {u"take care of"}},        // a quoted run as it is
      {u"\"took her\"", false, {}},
      {u"cafe", false, {u"café"}},      // accents folded
      {u"small", false, {u"café"}},     // the example
      {u"/ka/", false, {u"カタカナ"}},  // the pronunciation
      {u"家族", false, {u"brother"}},   // a translation's second line
      {u"かたかな", false, {}},
      {u"かたかな", true, {u"カタカナ"}},
  };
  WordBookList list(book_);
  for (const Case& c : cases) {
    list.SetFilter(c.filter, c.foldKana);
    EXPECT_EQ(Shown(list), c.shown) << Utf16ToUtf8(c.filter);
  }
}

TEST_F(WordBookListTest, RemovalsAreUndoneInTurnEachEntryBackAsItWas) {
  WordBookList list(book_);
  const std::vector<KeptEntry> before = book_.Entries();
  list.SetFilter(u"e", false);
  ASSERT_EQ(Shown(list), (std::vector<std::u16string>{u"brother", u"café", u"take care of"}));
  ASSERT_EQ(list.Remove(1).outcome, Change::kDone);
  ASSERT_EQ(list.Remove(1).outcome, Change::kDone);
  EXPECT_EQ(Shown(list), std::vector<std::u16string>{u"brother"});
  EXPECT_EQ(book_.Entries().size(), 2u);

  // Removed by another program first: it leaves the list, with nothing to undo.
  WordBook other(book_.file());
  ASSERT_EQ(other.Remove(list.at(0).id).outcome, Change::kDone);
  EXPECT_EQ(list.Remove(0).outcome, Change::kNotFound);
  EXPECT_EQ(list.size(), 0u);

  ASSERT_EQ(list.Undo().outcome, Change::kDone);
  EXPECT_EQ(Shown(list), std::vector<std::u16string>{u"take care of"});
  ASSERT_EQ(list.Undo().outcome, Change::kDone);
  EXPECT_FALSE(list.CanUndo());
  EXPECT_EQ(Shown(list), (std::vector<std::u16string>{u"café", u"take care of"}));
  std::vector<KeptEntry> model = before;
  model.erase(model.begin());  // brother, removed by the other program
  EXPECT_EQ(book_.Entries(), model);
  list.SetFilter(u"", false);
  list.Reload();
  EXPECT_EQ(list.size(), 3u);
}

}  // namespace
}  // namespace tavlex::wordbook
