// The word book window's logic without the window: which entries stay
// chosen as the filter changes, Delete and 元に戻す as a whole, the entry in
// full with its dictionary's fonts and the covered part marked, and the
// export's entries and file.
#include "view/word_book_browser.h"

#include <gtest/gtest.h>

#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/wordbook/kept_samples.h"

namespace tavlex {
namespace {

using testing::Kept;
using wordbook::ExportFormat;

// Newest first: the order the browser lists them in.
const std::vector<std::u16string> kAll = {u"dog", u"cat", u"catalog", u"take care of"};

std::vector<std::u16string> HeadwordsOf(const std::vector<wordbook::KeptEntry>& entries) {
  std::vector<std::u16string> headwords;
  for (const wordbook::KeptEntry& entry : entries) headwords.push_back(entry.headword);
  return headwords;
}

class WordBookBrowserTest : public ::testing::Test {
 protected:
  WordBookBrowserTest() {
    book_.Keep(Kept({.headword = u"take care of",
                     .translation = u"世話をする\r\n大事にする",
                     .source = u"She took care of it.",
                     .begin = 4,
                     .end = 16,
                     .keptAt = 1000,
                     .pronunciation = u"/teɪk/"}));
    book_.Keep(Kept({.headword = u"catalog", .translation = u"目録", .keptAt = 2000}));
    book_.Keep(Kept({.headword = u"cat",
                     .translation = u"猫",
                     .path = u"/dic/registered.dic",
                     .source = u"cats",
                     .begin = 0,
                     .end = 3,
                     .keptAt = 3000,
                     .example = u"The cat sat."}));
    book_.Keep(Kept({.headword = u"dog", .translation = u"犬", .keptAt = 4000}));
  }

  static std::vector<std::u16string> Headwords(const WordBookBrowser& browser,
                                               const std::vector<size_t>& rows) {
    std::vector<std::u16string> headwords;
    for (const size_t row : rows) headwords.push_back(browser.at(row).headword);
    return headwords;
  }
  static std::vector<std::u16string> Shown(const WordBookBrowser& browser) {
    std::vector<std::u16string> headwords;
    for (size_t row = 0; row < browser.size(); ++row) headwords.push_back(browser.at(row).headword);
    return headwords;
  }
  // The row showing headword in browser.
  static size_t Row(const WordBookBrowser& browser, std::u16string_view headword) {
    for (size_t row = 0; row < browser.size(); ++row) {
      if (browser.at(row).headword == headword) return row;
    }
    ADD_FAILURE() << "not shown";
    return browser.size();
  }
  static std::vector<size_t> Rows(const WordBookBrowser& browser,
                                  const std::vector<std::u16string>& headwords) {
    std::vector<size_t> rows;
    for (const std::u16string& headword : headwords) rows.push_back(Row(browser, headword));
    return rows;
  }

  ::tavlex::testing::TempDir dir_;
  wordbook::WordBook book_{dir_.path() / "wordbook.sqlite"};
};

TEST_F(WordBookBrowserTest, TheChoiceFollowsTheEntriesThroughTheFilter) {
  WordBookBrowser browser(book_, nullptr);
  struct Step {
    std::u16string filter;
    std::vector<std::u16string> choose;  // the last one current; none: the choice is left as it is
    std::vector<std::u16string> shown;
    std::vector<std::u16string> chosen;  // the last one current
  };
  const Step steps[] = {
      // At first the newest entry is current and chosen.
      {u"", {}, kAll, {u"dog"}},
      {u"", {u"cat", u"take care of"}, kAll, {u"cat", u"take care of"}},
      // Both still shown: both stay chosen, the current one too.
      {u"c", {}, {u"cat", u"catalog", u"take care of"}, {u"cat", u"take care of"}},
      // The current one filtered out: the first chosen one left is current.
      {u"cat", {}, {u"cat", u"catalog"}, {u"cat"}},
      // Back: what was filtered out is not chosen again.
      {u"", {}, kAll, {u"cat"}},
      // Nothing chosen shown: the first row.
      {u"目録", {}, {u"catalog"}, {u"catalog"}},
      {u"zebra", {}, {}, {}},
      {u"", {}, kAll, {u"dog"}},
  };
  for (const Step& step : steps) {
    if (!step.choose.empty()) browser.Choose(Rows(browser, step.choose), Row(browser, step.choose.back()));
    browser.SetFilter(step.filter, false);
    EXPECT_EQ(Shown(browser), step.shown);
    EXPECT_EQ(Headwords(browser, browser.ChosenRows()), step.chosen);
    const std::optional<size_t> current = browser.CurrentRow();
    EXPECT_EQ(current ? browser.at(*current).headword : u"", step.chosen.empty() ? u"" : step.chosen.back());
  }
}

TEST_F(WordBookBrowserTest, DeleteRemovesTheChosenAndUndoPutsThemAllBack) {
  WordBookBrowser browser(book_, nullptr);
  // A plain model of the list (the headwords shown, newest first), and the
  // lists before each Delete not undone yet.
  std::vector<std::u16string> model = kAll;
  std::vector<std::vector<std::u16string>> before;
  struct Step {
    std::vector<std::u16string> remove;  // chosen, then Delete; empty: 元に戻す
    size_t count;                        // removed or put back
    std::u16string currentAfter;
  };
  const Step steps[] = {
      {{u"cat", u"catalog"}, 2, u"take care of"},  // the row after the current one
      {{u"take care of"}, 1, u"dog"},              // the last row: the one above
      {{}, 1, u"take care of"},                    // the last Delete back, chosen
      {{}, 2, u"cat"},                             // the one before, both entries
      {{}, 0, u"cat"},                             // nothing left to undo
  };
  for (const Step& step : steps) {
    WordBookBrowser::Removal done;
    if (!step.remove.empty()) {
      browser.Choose(Rows(browser, step.remove), Row(browser, step.remove.back()));
      done = browser.RemoveChosen();
      before.push_back(model);
      for (const std::u16string& headword : step.remove) std::erase(model, headword);
    } else {
      EXPECT_EQ(browser.CanUndo(), !before.empty());
      done = browser.Undo();
      if (!before.empty()) {
        model = before.back();
        before.pop_back();
      }
    }
    EXPECT_EQ(done.removed, step.count);
    EXPECT_EQ(done.error, "");
    EXPECT_EQ(Shown(browser), model);
    EXPECT_EQ(HeadwordsOf(book_.Entries()), model) << "the word book itself";
    EXPECT_EQ(browser.at(*browser.CurrentRow()).headword, step.currentAfter);
  }
}

TEST_F(WordBookBrowserTest, TheEntryInFullHasItsDictionarysFontsAndTheCoveredPartMarked) {
  DictionarySettings registered;
  registered.indexFont = u"Serif";
  registered.indexSize = 14;
  registered.transFont = u"Mincho";
  registered.transSize = 12;
  registered.sampleFont = u"Sans";
  registered.sampleSize = 9;
  registered.phoneticFont = u"IPA";
  registered.phoneticSize = 11;
  WordBookBrowser browser(book_, [&](std::u16string_view path) -> std::optional<DictionarySettings> {
    if (path == u"/dic/registered.dic") return registered;
    return std::nullopt;
  });
  const DetailLabels labels{u"引いた文: ", u"追加: "};
  using Paragraph = DetailParagraph;
  struct Case {
    std::u16string headword;
    std::vector<Paragraph> detail;
  };
  const size_t shift = labels.source.size();
  const Case cases[] = {
      // Registered: its fonts, the example shown though its display hides it.
      {u"cat",
       {{u"cat", u"Serif", 14, {}},
        {u"猫", u"Mincho", 12, {}},
        {u"The cat sat.", u"Sans", 9, {}},
        {},
        {labels.source + u"cats", {}, 0, {{uint32_t(shift), uint32_t(shift + 3)}}}}},
      // Not registered: the default fonts; the pronunciation shown.
      {u"take care of",
       {{u"take care of", u"", 10, {}},
        {u"/teɪk/", u"", 10, {}},
        {u"世話をする\r\n大事にする", u"", 10, {}},
        {},
        {labels.source + u"She took care of it.", {}, 0, {{uint32_t(shift + 4), uint32_t(shift + 16)}}}}},
      // No source text: no line for it.
      {u"dog", {{u"dog", u"", 10, {}}, {u"犬", u"", 10, {}}, {}}},
  };
  for (const Case& c : cases) {
    browser.Choose({Row(browser, c.headword)}, Row(browser, c.headword));
    std::vector<Paragraph> detail = browser.Detail(labels);
    ASSERT_FALSE(detail.empty());
    // The last line says where and when; its time is the local one.
    EXPECT_TRUE(detail.back().text.starts_with(labels.kept + u"English, ")) << c.headword.size();
    detail.pop_back();
    EXPECT_EQ(detail, c.detail);
  }
  browser.SetFilter(u"zebra", false);
  EXPECT_TRUE(browser.Detail(labels).empty());
}

TEST_F(WordBookBrowserTest, AnExportTakesTheChosenOrAllShownIntoAFileOfItsFormat) {
  WordBookBrowser browser(book_, nullptr);
  browser.SetFilter(u"c", false);
  browser.Choose(Rows(browser, {u"take care of", u"cat"}), Row(browser, u"cat"));
  EXPECT_EQ(HeadwordsOf(browser.EntriesToExport(false)),
            (std::vector<std::u16string>{u"cat", u"take care of"}));
  EXPECT_EQ(HeadwordsOf(browser.EntriesToExport(true)),
            (std::vector<std::u16string>{u"cat", u"catalog", u"take care of"}));

  struct Case {
    int filter;
    std::string chosen;
    std::string written;
    std::string starts;
  };
  const Case cases[] = {
      {0, "words", "words.txt", "#separator:tab\n"},
      {1, "words", "words.csv", "id,kept,"},
      {2, "words", "words.jsonl", "{\"id\":"},
      {1, "words.txt", "words.txt", "id,kept,"},  // the name as typed: the format as chosen
      {5, "words", "words.txt", "#separator:tab\n"},
  };
  for (const Case& c : cases) {
    const ExportFormat format = ExportFormatAt(c.filter);
    const std::filesystem::path path = ExportPath(dir_.path() / c.chosen, format);
    EXPECT_EQ(path, dir_.path() / c.written);
    EXPECT_EQ(WriteExportFile(path, format, browser.EntriesToExport(false), {}), std::nullopt);
    const std::string text = testing::FileText(path);
    EXPECT_TRUE(text.starts_with(c.starts)) << text.substr(0, 40);
    EXPECT_NE(text.find("take care of"), std::string::npos);
    EXPECT_EQ(text.find("catalog"), std::string::npos);
  }
}

}  // namespace
}  // namespace tavlex
