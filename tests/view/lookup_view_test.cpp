// The lookup view driven as a user drives it: typing into the search box and
// looking at what the result display then holds. Timers and message boxes are
// replaced, so nothing here waits for time to pass.
#include "view/lookup_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>
#include <fstream>

#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "tests/support/fake_timers.h"
#include "tests/support/modal.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_dictionaries.h"
#include "tests/support/view_fixture.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "view/empty_set_hint.h"
#include "view/entry_keeping.h"

namespace tavlex {
namespace {

using testing::Settle;

// Counts the change messages the search box posts to the view.
class ChangeCounter : public QObject {
 public:
  int changes = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == platform::MessageEvent::Type() &&
        static_cast<platform::MessageEvent*>(event)->message() == ids::kWmUser) {
      ++changes;
    }
    return false;
  }
};

class LookupViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    english_ =
        testing::WriteTestDictionary(dir_, "english.dic",
                                     {{u"apple", u"", 0, u"りんご\r\n林檎", u"ˈæpl", u"an apple a day"},
                                      {u"go", u"", 0, u"行く", u"ɡoʊ", u""},
                                      {u"going", u"", 0, u"行くこと", u"", u""},
                                      {u"naive", u"naïve", 0, u"素朴な", u"", u""},
                                      {u"zebra", u"", 0, u"", u"", u""}});
  }

  // Creates the view over a settings file holding these lines (after the dictionary list).
  void Open(const std::string& options = "", const std::string& englishSection = "") {
    const std::string path = std::filesystem::path(english_).string();
    std::ofstream(dir_.path() / "tavlex.ini") << "[dictionary]\ndic1=" << path << "\n"
                                              << options << "[" << path << "]\n"
                                              << englishSection;
    settings_.LoadPath(dir_.path() / "tavlex.ini");
    view_ = std::make_unique<CLookupView>(settings_, &frame_);
    view_->OpenDictionaries();  // as the window's first paint would
    view_->installEventFilter(&counter_);
    frame_.resize(240, 320);
    view_->resize(240, 268);
    frame_.show();
    QApplication::setActiveWindow(&frame_);
    QApplication::processEvents();
  }

  void Type(const QString& text) {
    QTest::keyClicks(view_->searchEdit(), text);
    Settle();
  }

  QStringList Shown() const { return testing::Shown(*view_); }

  testing::TempDir dir_;
  std::u16string english_;
  IniFile settings_;
  testing::FakeTimers timers_;
  testing::FakeMessageBoxes boxes_;
  testing::FrameStandIn frame_;
  ChangeCounter counter_;
  std::unique_ptr<CLookupView> view_;
};

TEST_F(LookupViewTest, EveryChangePostsOneMessageAndDelayZeroSearchesAtOnce) {
  Open();
  EXPECT_EQ(frame_.settingsChanged, 1);
  Type("go");
  EXPECT_EQ(counter_.changes, 2);
  EXPECT_FALSE(timers_.IsArmed(view_.get(), ids::kIncrementalSearchTimer));
  EXPECT_EQ(Shown(), (QStringList{"go", "行く", "", "going", "行くこと", ""}));
  view_->searchEdit()->setText("apple");
  Settle();
  EXPECT_EQ(counter_.changes, 3);
  EXPECT_EQ(Shown(), (QStringList{"apple", "りんご", "林檎", ""}));
}

// Keeping from the result display: the first entry without the focus, kept once, its headword marked, the
// search text kept as its source, and a status line for each keep.
TEST_F(LookupViewTest, KeepingMarksTheEntryAndKeepsItOnce) {
  Open();
  QSignalSpy status(view_.get(), &CLookupView::statusMessage);
  Type("go");
  view_->KeepEntry(true);
  EXPECT_EQ(Shown(), (QStringList{"★ go", "行く", "", "going", "行くこと", ""}));
  view_->KeepEntry(true);
  ASSERT_EQ(status.count(), 2);
  EXPECT_EQ(status[0][0].toString(), "単語帳に追加しました: go");
  EXPECT_EQ(status[1][0].toString(), "単語帳にすでにあります: go");
  const std::vector<wordbook::KeptEntry> kept = view_->wordBook().Entries();
  std::vector<std::u16string> headwords;
  for (const wordbook::KeptEntry& entry : kept) {
    if (entry.dictionaryPath == english_) headwords.push_back(entry.headword + u"|" + entry.sourceText);
  }
  EXPECT_EQ(headwords, (std::vector<std::u16string>{u"go|go"}));

  // From a text's look-up: the form found, the text, and the part of it the form covers.
  view_->LookUp("goings on");
  Settle();
  view_->KeepEntry(false);
  const wordbook::KeptEntry newest = view_->wordBook().Entries().front();
  EXPECT_EQ(newest.headword + u"|" + newest.sourceText, u"going|goings on");
  EXPECT_EQ(std::pair(newest.coveredBegin, newest.coveredEnd), std::pair(0u, 6u));

  // Kept under the form found, marked on its own headword (here the display form).
  view_->LookUp("naive views");
  Settle();
  view_->KeepEntry(false);
  EXPECT_EQ(view_->wordBook().Entries().front().headword, u"naive");
  EXPECT_EQ(Shown().mid(1, 2), (QStringList{"★ naïve", "素朴な"}));
}

// The entry a paragraph belongs to, against a scan of the starts.
TEST(EntryAtParagraphTest, TheLastEntryBeginningAtOrBefore) {
  const std::vector<size_t> starts = {2, 5, 6, 10};
  for (size_t paragraph = 0; paragraph < 14; ++paragraph) {
    std::optional<size_t> model;
    for (size_t i = 0; i < starts.size(); ++i) {
      if (starts[i] <= paragraph) model = i;
    }
    EXPECT_EQ(EntryAtParagraph(starts, paragraph), model) << paragraph;
  }
  EXPECT_EQ(EntryAtParagraph({}, 0), std::nullopt);
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(LookupViewTest, NewResultsAreRepainted) {
  Open();
  QApplication::processEvents();
  PaintCounter counter;
  view_->resultDisplay()->viewport()->installEventFilter(&counter);
  Type("go");
  QApplication::processEvents();
  EXPECT_GT(counter.paints, 0);
}

TEST_F(LookupViewTest, DelayDebouncesAndTheInflectionTimerFollows) {
  Open("delay=300\nconjudelay=500\n", "english=1\n");
  Type("Appl");
  EXPECT_TRUE(Shown().isEmpty());
  ASSERT_TRUE(timers_.IsArmed(view_.get(), ids::kIncrementalSearchTimer));
  EXPECT_EQ(timers_.Delay(view_.get(), ids::kIncrementalSearchTimer), 300);
  EXPECT_EQ(timers_.arms(), 4);  // re-armed at every change

  ASSERT_TRUE(timers_.Fire(view_.get(), ids::kIncrementalSearchTimer));
  Settle();
  EXPECT_FALSE(timers_.IsArmed(view_.get(), ids::kIncrementalSearchTimer));
  EXPECT_TRUE(Shown().isEmpty());  // "Appl" begins no headword
  ASSERT_TRUE(timers_.IsArmed(view_.get(), ids::kInflectionSearchTimer));
  EXPECT_EQ(timers_.Delay(view_.get(), ids::kInflectionSearchTimer), 500);

  ASSERT_TRUE(timers_.Fire(view_.get(), ids::kInflectionSearchTimer));
  Settle();
  EXPECT_FALSE(timers_.IsArmed(view_.get(), ids::kInflectionSearchTimer));
  EXPECT_EQ(Shown(), (QStringList{"apple", "りんご", "林檎", ""}));  // lower case found it
}

TEST_F(LookupViewTest, StrippedCharactersAndEmptyWords) {
  Open("conjudelay=500\n");
  Type("(go)");
  EXPECT_EQ(Shown().first(), "go");
  view_->searchEdit()->setText("  !?");
  Settle();
  EXPECT_EQ(Shown().first(), "go");  // no search: the display keeps its content
  EXPECT_TRUE(timers_.IsArmed(view_.get(), ids::kInflectionSearchTimer));
  view_->searchEdit()->setText(QString::fromUtf16(u"\u3000xyz"));
  Settle();
  EXPECT_TRUE(Shown().isEmpty());  // nothing matches: the display empties
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(LookupViewTest, ReturnSearchesAndStillReachesTheBox) {
  Open("incresearch=2\n");
  Type("zebra");
  EXPECT_TRUE(Shown().isEmpty());  // incremental search is off
  QSignalSpy returnPressed(view_->searchEdit(), &QLineEdit::returnPressed);
  QTest::keyClick(view_->searchEdit(), Qt::Key_Return);
  Settle();
  EXPECT_EQ(returnPressed.count(), 1);
  EXPECT_EQ(Shown(), (QStringList{"zebra", "", ""}));  // an empty translation still has its paragraph
}

// A text from another program asks for its results: it is searched also
// where a change of the box would not search it.
TEST_F(LookupViewTest, ATextFromOutsideIsSearchedWhateverTheIncrementalSearch) {
  struct Case {
    const char* options;
    const char* boxBefore;  // typed, and searched only where the incremental search is on
  };
  for (const Case& c : {Case{"", ""}, Case{"incresearch=2\n", ""}, Case{"incresearch=2\n", "going"},
                        Case{"delay=300\n", "zebra"}}) {
    SCOPED_TRACE(std::string(c.options) + " / " + c.boxBefore);
    view_.reset();
    Open(c.options);
    Type(c.boxBefore);
    view_->LookUp("going");
    Settle();
    timers_.Fire(view_.get(), ids::kIncrementalSearchTimer);  // where a delay is set
    Settle();
    EXPECT_EQ(view_->searchEdit()->text(), "going");
    EXPECT_TRUE(Shown().contains("行くこと")) << Shown().join("|").toStdString();
  }
}

TEST_F(LookupViewTest, KeysMoveTheFocusAndEscapeClears) {
  Open();
  Type("go");
  CIndexEdit* edit = view_->searchEdit();
  CEditor* display = view_->resultDisplay();
  ASSERT_TRUE(edit->hasFocus());
  QTest::keyClick(edit, Qt::Key_Down);
  EXPECT_TRUE(display->hasFocus());
  QTest::keyClick(display, Qt::Key_Up);  // the first line is at the top
  EXPECT_TRUE(edit->hasFocus());
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_TRUE(display->hasFocus());
  QTest::keyClick(display, Qt::Key_Tab);
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->selectedText(), "go");

  QTest::keyClick(edit, Qt::Key_Down);
  // The release of an Escape whose press closed a dialog leaves the word.
  QTest::keyRelease(display, Qt::Key_Escape);
  EXPECT_EQ(edit->text(), "go");
  QTest::keyClick(display, Qt::Key_Escape);
  EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_TRUE(edit->hasFocus());
}

// A word met in the results is one step away: double-clicked and looked up
// with Return, as a text from another program is; Alt+Left comes back.
TEST_F(LookupViewTest, ReturnOnASelectionLooksItUpAndAltLeftComesBack) {
  Open();
  Type("go");
  CEditor* display = view_->resultDisplay();
  ASSERT_EQ(display->paragraphs()[3].text, "going");
  int y = 0;
  for (int line = 0; line < 3; ++line) y += display->lines()[line].height;
  QTest::mouseDClick(display->viewport(), Qt::LeftButton, Qt::NoModifier, {3, y + 2});
  EXPECT_EQ(display->SelectedText(), "going");
  // Shift+Up at the top selects, and leaves the focus in the display.
  QTest::keyClick(display, Qt::Key_Up, Qt::ShiftModifier);
  ASSERT_TRUE(display->hasFocus());

  QTest::mouseDClick(display->viewport(), Qt::LeftButton, Qt::NoModifier, {3, y + 2});
  QTest::keyClick(display, Qt::Key_Return);
  Settle();
  EXPECT_EQ(view_->searchEdit()->text(), "going");
  EXPECT_EQ(view_->searchFlow().searchOptions().mode, SearchMode::kScan);
  EXPECT_TRUE(Shown().contains("going")) << Shown().join("|").toStdString();

  platform::PostCommand(view_.get(), ids::kHistoryBack);
  Settle();
  EXPECT_EQ(view_->searchEdit()->text(), "go");
  EXPECT_EQ(view_->searchFlow().searchOptions().mode, SearchMode::kPrefix);
  // The new list dropped the selection: nothing to look up.
  view_->LookUpSelection();
  Settle();
  EXPECT_EQ(view_->searchEdit()->text(), "go");
}

TEST_F(LookupViewTest, EachPartInItsDictionarysFont) {
  Open("",
       "bPhonetic=1\nbSample=1\nIndexFont=IPAGothic\nIndexSize=14\nPhoneticFont=IPAGothic\n"
       "PhoneticSize=9\nSampleFont=Serif\nSampleSize=8\n");
  Type("apple");
  const auto& paragraphs = view_->resultDisplay()->paragraphs();
  ASSERT_EQ(Shown(), (QStringList{"apple", "ˈæpl", "りんご", "林檎", "an apple a day", ""}));
  ASSERT_NE(paragraphs[0].font, nullptr);
  EXPECT_EQ(paragraphs[0].font->family(), "IPAGothic");
  EXPECT_EQ(paragraphs[0].font->pointSize(), 14);
  EXPECT_EQ(paragraphs[1].font->pointSize(), 9);
  EXPECT_EQ(paragraphs[2].font, nullptr);  // an empty face: the display's default font
  EXPECT_EQ(paragraphs[3].font, nullptr);
  EXPECT_EQ(paragraphs[4].font->family(), "Serif");
  EXPECT_EQ(paragraphs[5].font, nullptr);
  // Fonts are made once per face and size.
  view_->searchEdit()->setText("naive");
  Settle();
  EXPECT_EQ(Shown().first(), QString::fromUtf16(u"naïve"));
  EXPECT_EQ(view_->fontCache().size(), 3u);
}

// Edit commands posted to the view reach the focused search box first.
TEST_F(LookupViewTest, CommandsGoToTheFocusedChildFirst) {
  Open();
  Type("zeb");
  view_->searchEdit()->selectAll();
  QApplication::clipboard()->setText("go");
  platform::PostCommand(view_.get(), ids::kEditPaste);
  Settle();
  EXPECT_EQ(view_->searchEdit()->text(), "go");
  EXPECT_EQ(Shown().first(), "go");

  // Chosen from the menu bar with the keyboard: the bar took the focus, and the selection stayed.
  view_->searchEdit()->selectAll();
  QFocusEvent toMenuBar(QEvent::FocusOut, Qt::MenuBarFocusReason);
  QApplication::sendEvent(view_->searchEdit(), &toMenuBar);
  platform::PostCommand(view_.get(), ids::kEditCopy);
  Settle();
  EXPECT_EQ(QApplication::clipboard()->text(), "go");
}

TEST_F(LookupViewTest, PasteOnActivateReplacesTheWord) {
  Open();
  Type("zeb");
  QApplication::clipboard()->setText("going");
  view_->PasteOnActivate();
  Settle();
  EXPECT_EQ(view_->searchEdit()->text(), "going");
  EXPECT_EQ(Shown().first(), "going");

  // A copied line comes without its line break, through every way of pasting.
  QApplication::clipboard()->setText("go\nnext line");
  view_->PasteOnActivate();
  Settle();
  EXPECT_EQ(view_->searchEdit()->text(), "go");
  view_->searchEdit()->selectAll();
  QApplication::clipboard()->setText("apple\r\n");
  QTest::keyClick(view_->searchEdit(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(view_->searchEdit()->text(), "apple");

  // No text on the clipboard: the word stays, selected.
  QApplication::clipboard()->clear();
  view_->PasteOnActivate();
  Settle();
  EXPECT_EQ(view_->searchEdit()->text(), "apple");
  EXPECT_EQ(view_->searchEdit()->selectedText(), "apple");
}

// With a font loader named, the dictionaries' fonts are made at creation, while it runs.
TEST_F(LookupViewTest, FontLoaderMakesTheFontsAtCreation) {
  Open("FontOnStorage=/bin/true\n", "IndexFont=IPAGothic\nTransFont=IPAGothic\nTransSize=12\n");
  EXPECT_EQ(view_->fontCache().size(), 2u);
}

TEST_F(LookupViewTest, NoFontLoaderNoFontsUntilNeeded) {
  Open("", "IndexFont=IPAGothic\n");
  EXPECT_EQ(view_->fontCache().size(), 0u);
}

TEST_F(LookupViewTest, DestructionWritesTheDictionarySettings) {
  Open("", "searchmax=7\n");
  view_.reset();
  EXPECT_EQ(settings_.GetString(english_, u"searchmax"), u"7");
  EXPECT_EQ(settings_.GetString(english_, u"cachesize"), u"10");
}

TEST_F(LookupViewTest, WhileNothingIsRegisteredTheDisplayTellsHowToRegister) {
  std::ofstream(dir_.path() / "tavlex.ini") << "[dictionary]\n";
  settings_.LoadPath(dir_.path() / "tavlex.ini");
  view_ = std::make_unique<CLookupView>(settings_, &frame_);
  view_->resize(240, 268);
  view_->OpenDictionaries();
  // The build tree has no installed samples folder, so that line is left out.
  const QStringList hint = EmptySetHint(std::nullopt);
  ASSERT_EQ(hint.size(), 2);
  EXPECT_TRUE(hint[1].contains(QStringLiteral("「ツール」→「辞書登録...」")));
  EXPECT_EQ(Shown(), hint);
  Type(QStringLiteral("go"));
  EXPECT_EQ(Shown(), hint);
  EXPECT_TRUE(boxes_.shown().empty());

  // A registration replaces the hint at once with the entries of the word typed;
  // removing the last dictionary brings the hint back.
  testing::FakeOpenFileDialog files;
  testing::FakeFontFamilies fonts{{"Alpha"}};
  files.SetNextResult(QString::fromStdU16String(english_));
  platform::PostCommand(view_.get(), ids::kRegisterDictionary);
  Settle();
  EXPECT_EQ(Shown(), (QStringList{"go", "行く", "", "going", "行くこと", ""}));
  testing::WhenModalShows([](QWidget* dialog) {
    dialog->findChild<QCheckBox*>("removeRequest")->setChecked(true);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  boxes_.SetNextAnswer(platform::MessageBox::kIdYes);
  platform::PostCommand(view_.get(), ids::kDictionarySettingsFirst);
  Settle();
  EXPECT_EQ(Shown(), hint);

  EXPECT_EQ(EmptySetHint(std::filesystem::path("/usr/share/tavlex/samples")).back(),
            QStringLiteral("サンプル辞書: /usr/share/tavlex/samples"));
}

}  // namespace
}  // namespace tavlex
