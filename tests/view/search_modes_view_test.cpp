// The search modes in a real lookup view: the mode shown in and beside the
// box, results that arrive by themselves once an index is made, matches
// marked across line breaks, the count line, and a window closed in the
// middle of a build.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <fstream>
#include <functional>

#include "platform/messages.h"
#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "tests/support/fake_desktop_folders.h"
#include "tests/support/fake_timers.h"
#include "tests/support/process_until.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_dictionaries.h"
#include "tests/support/view_fixture.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

using testing::Settle;

class SearchModesViewTest : public ::testing::Test {
 protected:
  ~SearchModesViewTest() override { view_.reset(); }

  // A view over one dictionary with these records, showing at most searchMax hits.
  void Open(std::vector<dicwriter::Record> records, int searchMax = 30) {
    const std::string path =
        std::filesystem::path(testing::WriteTestDictionary(dir_, "english.dic", std::move(records))).string();
    std::ofstream(dir_.path() / "tavlex.ini")
        << "[dictionary]\ndic1=" << path << "\n[" << path << "]\nsearchmax=" << searchMax << "\n";
    settings_.LoadPath(dir_.path() / "tavlex.ini");
    view_ = std::make_unique<CLookupView>(settings_, &frame_);
    view_->resize(320, 400);
    frame_.show();
    QApplication::processEvents();
  }
  void Command(int command) {
    platform::PostCommand(view_.get(), command);
    Settle();
  }
  // Lets posted messages in until the display shows text.
  bool ShowsSoon(const QString& text) {
    return testing::ProcessUntil([&] { return Shown().contains(text); });
  }
  QStringList Shown() const { return testing::Shown(*view_); }
  // The marks of the first paragraph with this text.
  std::vector<MarkRange> Marks(const QString& text) const {
    for (const Paragraph& paragraph : view_->resultDisplay()->paragraphs()) {
      if (paragraph.text == text) return paragraph.marks;
    }
    ADD_FAILURE() << "no paragraph " << text.toStdString();
    return {};
  }
  const std::filesystem::path& cache() const { return folders_.folders().cache; }
  // Whether the cache folder holds a file other than the tables of index
  // positions, which the dictionaries write there as they open.
  bool HoldsIndexFiles() const {
    if (!std::filesystem::exists(cache())) return false;
    for (const auto& file : std::filesystem::directory_iterator(cache())) {
      if (file.path().extension() != ".positions") return true;
    }
    return false;
  }

  testing::TempDir dir_;
  testing::FakeDesktopFolders folders_{dir_.path()};
  IniFile settings_;
  testing::FakeTimers timers_;
  testing::FrameStandIn frame_;
  std::unique_ptr<CLookupView> view_;
};

TEST_F(SearchModesViewTest, AModeShowsMarksItsMatchesAndItsResultsArriveByThemselves) {
  std::vector<dicwriter::Record> records = testing::Words({u"apple", u"grape", u"maple", u"tape"});
  records[0].translation = u"りんご\r\nred apple pie";
  Open(records, 2);
  EXPECT_TRUE(view_->modeMarker()->isHidden());  // the prefix search looks as it always did
  EXPECT_TRUE(view_->searchEdit()->placeholderText().isEmpty());

  Command(ids::kModeSubstring);
  EXPECT_EQ(view_->searchEdit()->placeholderText(), "部分一致");
  EXPECT_FALSE(view_->modeMarker()->isHidden());
  EXPECT_LT(view_->searchEdit()->geometry().right(), view_->modeMarker()->geometry().left());

  // The first search starts the index; the hits follow without a key.
  QTest::keyClicks(view_->searchEdit(), "ap");
  ASSERT_TRUE(ShowsSoon("grape")) << Shown().join('|').toStdString();
  EXPECT_FALSE(Shown().value(0).startsWith("索引を"));
  EXPECT_EQ(Marks("grape"), (std::vector<MarkRange>{{2, 4}}));
  // Two of four shown, and the count of the rest once a worker has it.
  ASSERT_TRUE(ShowsSoon("… 他 2 件")) << Shown().join('|').toStdString();
  EXPECT_EQ(Shown().indexOf("… 他 2 件"), Shown().indexOf("grape") + 2);

  // Full text marks the translation's second paragraph, at its place there.
  Command(ids::kModeFullText);
  view_->searchEdit()->setText("apple");
  Settle();
  EXPECT_EQ(Marks("apple"), (std::vector<MarkRange>{{0, 5}}));
  EXPECT_EQ(Marks("red apple pie"), (std::vector<MarkRange>{{4, 9}}));

  // Removed while full-text hits are on show: said so, and the index is made
  // again at once, so that the hits come back rather than a blank display.
  QSignalSpy status(view_.get(), &CLookupView::statusMessage);
  Command(ids::kRemoveIndexes);
  ASSERT_EQ(status.size(), 1);
  EXPECT_TRUE(status[0][0].toString().startsWith("索引を削除しました"));
  EXPECT_TRUE(ShowsSoon("red apple pie")) << Shown().join('|').toStdString();
  EXPECT_TRUE(testing::ProcessUntil([&] { return HoldsIndexFiles(); }));

  // The mode is kept in the settings image, in its own section.
  Command(ids::kToggleFullText);
  EXPECT_TRUE(view_->modeMarker()->isHidden());
  EXPECT_EQ(settings_.GetString(u"search", u"mode"), u"prefix");

  // Removed in the prefix search: the files go, the entries stay, and the message says how to make them.
  const QStringList prefixShown = Shown();
  Command(ids::kRemoveIndexes);
  EXPECT_FALSE(HoldsIndexFiles());
  EXPECT_EQ(Shown(), prefixShown);
  EXPECT_EQ(status.size(), 2);
}

// Only the prefix search strips quotes and question marks at the ends of what
// was typed: a quoted phrase is one phrase, a trailing ? one more character.
TEST_F(SearchModesViewTest, TheModesKeepQuotesAndWildcardsAtTheEnds) {
  std::vector<dicwriter::Record> records = testing::Words({u"clap", u"grape", u"heed", u"mind", u"tape"});
  records[2].translation = u"take into account";
  records[3].translation = u"account for what you take into the room";
  Open(records);
  struct Case {
    int mode;
    const char* typed;
    QStringList headwords;  // what the display shows of the five, in order
  };
  const Case cases[] = {
      {ids::kModeFullText, "\"take into account\"", {"heed"}},
      {ids::kModeFullText, "  take into account ", {"heed", "mind"}},
      {ids::kModeSuffix, "ap?", {"grape", "tape"}},
      {ids::kModeSuffix, " ap ", {"clap"}},
      {ids::kModePrefix, "(clap?)", {"clap"}},
  };
  for (const Case& c : cases) {
    Command(c.mode);
    view_->searchEdit()->setText(QString::fromUtf8(c.typed));
    const auto shownHeadwords = [&] {
      QStringList shown;
      for (const QString& line : Shown()) {
        if (QStringList{"clap", "grape", "heed", "mind", "tape"}.contains(line)) shown << line;
      }
      return shown;
    };
    EXPECT_TRUE(testing::ProcessUntil([&] { return shownHeadwords() == c.headwords; }))
        << c.typed << ": " << Shown().join('|').toStdString();
  }
}

// 文から検索 writes a heading above each group, the part of the text it
// covers marked; a text handed over by another program turns the view to it.
TEST_F(SearchModesViewTest, TheScanModeHeadsEachGroupAndATextFromOutsideTurnsToIt) {
  Open(testing::Words({u"child", u"take", u"take care", u"take care of", u"食べる"}));
  struct Group {
    QString heading;
    int covered;  // the heading's first characters, marked
    QStringList keys;
  };
  // The display a reader expects: each heading, then each entry's headword,
  // its translation and a blank line.
  const auto displayOf = [](const std::vector<Group>& groups) {
    QStringList lines;
    for (const Group& group : groups) {
      lines << group.heading;
      for (const QString& key : group.keys) lines << key << "T:" + key << "";
    }
    return lines;
  };
  struct Case {
    const char* text;
    std::vector<Group> groups;
  };
  const Case cases[] = {
      {"Took care of the children.",
       {{"Took care of → take care of（過去形）", 12, {"take care of"}},
        {"Took care → take care（過去形）", 9, {"take care"}},
        {"Took → take（過去形）", 4, {"take"}}}},
      {"children's toys", {{"children's → child（複数形・所有格）", 10, {"child"}}}},
      {"食べさせられなかった",
       {{"食べさせられなかった → 食べる（使役形・受身形・否定形・過去形）", 10, {"食べる"}}}},
      {"take", {{"take", 4, {"take"}}}},
  };
  bool first = true;
  for (const Case& c : cases) {
    const QString text = QString::fromUtf8(c.text);
    if (first) {
      // From the prefix search: the text from outside brings the mode along.
      view_->LookUp(text);
      first = false;
    } else {
      view_->searchEdit()->setText(text);  // typed: searched as it changes
    }
    Settle();
    EXPECT_EQ(Shown(), displayOf(c.groups)) << c.text;
    for (const Group& group : c.groups) {
      EXPECT_EQ(Marks(group.heading), (std::vector<MarkRange>{{0, group.covered}})) << c.text;
    }
  }
  EXPECT_EQ(view_->searchEdit()->placeholderText(), "文から検索");
  EXPECT_FALSE(view_->modeMarker()->isHidden());
  EXPECT_EQ(settings_.GetString(u"search", u"mode"), u"scan");
  // Nothing found: the display says nothing of the text before.
  view_->searchEdit()->setText("zebra");
  Settle();
  EXPECT_EQ(Shown(), QStringList{});
}

TEST_F(SearchModesViewTest, ClosingTheWindowDuringABuildLeavesNoIndexFile) {
  std::vector<dicwriter::Record> records;
  for (int i = 0; i < 150000; ++i) {
    records.push_back({u"word" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) +
                           QString::number(i).toStdU16String(),
                       u"", 0, u"訳語の説明と用例。The word was used here, and here again.", u"", u""});
  }
  Open(records);
  Command(ids::kModeFullText);
  view_->searchEdit()->setText("used");
  QApplication::sendPostedEvents();  // the change message, then the search, which waits for nothing
  QApplication::sendPostedEvents();
  ASSERT_TRUE(Shown().value(0).startsWith("索引を")) << Shown().join('|').toStdString();
  ASSERT_TRUE(testing::ProcessUntil([&] { return Shown().value(0).startsWith("索引を作成中"); }));
  view_.reset();  // as the window closes, the build under way
  EXPECT_FALSE(HoldsIndexFiles());
}

}  // namespace
}  // namespace tavlex
