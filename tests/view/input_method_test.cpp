// The search box under an input method, driven by the events one sends:
// composed text (preedit) that is no part of the word yet, then a commit or a
// cancel, with Return and Escape pressed in between.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>
#include <fstream>

#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "tests/support/fake_timers.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_dictionaries.h"
#include "tests/support/view_fixture.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

using testing::Settle;

const QStringList kGoShown = {"go", "行く", "", "going", "行くこと", ""};

class InputMethodTest : public ::testing::Test {
 protected:
  void Open(const std::string& options) {
    const std::string path =
        std::filesystem::path(testing::WriteTestDictionary(dir_, "english.dic",
                                                           {{u"go", u"", 0, u"行く", u"", u""},
                                                            {u"going", u"", 0, u"行くこと", u"", u""}}))
            .string();
    std::ofstream(dir_.path() / "tavlex.ini") << "[dictionary]\ndic1=" << path << "\n" << options;
    settings_.LoadPath(dir_.path() / "tavlex.ini");
    view_ = std::make_unique<CLookupView>(settings_, &frame_);
    view_->OpenDictionaries();
    frame_.resize(240, 320);
    view_->resize(240, 268);
    frame_.show();
    QApplication::setActiveWindow(&frame_);
    QApplication::processEvents();
    edit()->setFocus();
    searches_ = std::make_unique<QSignalSpy>(view_.get(), &CLookupView::resultsShown);
  }

  CIndexEdit* edit() const { return view_->searchEdit(); }
  QStringList Shown() const { return testing::Shown(*view_); }
  int Searches() const { return static_cast<int>(searches_->count()); }
  bool SearchTimerArmed() const {
    return timers_.IsArmed(view_.get(), ids::kIncrementalSearchTimer) ||
           timers_.IsArmed(view_.get(), ids::kInflectionSearchTimer);
  }

  // What the input method sends as the user composes: the text, caret at its end.
  void Compose(const QString& preedit) {
    QInputMethodEvent event(preedit, {{QInputMethodEvent::Cursor, static_cast<int>(preedit.size()), 1}});
    QApplication::sendEvent(edit(), &event);
    Settle();
  }
  void Commit(const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit(), &event);
    Settle();
  }

  testing::TempDir dir_;
  IniFile settings_;
  testing::FakeTimers timers_;
  testing::FakeMessageBoxes boxes_;
  testing::FrameStandIn frame_;
  std::unique_ptr<CLookupView> view_;
  std::unique_ptr<QSignalSpy> searches_;
};

TEST_F(InputMethodTest, ComposedTextSearchesNothingAndItsCommitSearchesOnce) {
  struct Case {
    const char* name;
    std::string options;
    bool delayed;
  };
  for (const Case& c : {Case{"at once", "conjudelay=500\n", false},
                        Case{"after the delay", "delay=300\nconjudelay=500\n", true}}) {
    SCOPED_TRACE(c.name);
    Open(c.options);
    for (const QString& preedit : QStringList{"g", "go", "ご"}) {
      Compose(preedit);
      EXPECT_TRUE(edit()->composing());
      EXPECT_EQ(edit()->text(), "");
      EXPECT_FALSE(SearchTimerArmed());
    }
    EXPECT_EQ(Searches(), 0);

    Commit("go");
    EXPECT_FALSE(edit()->composing());
    EXPECT_EQ(edit()->text(), "go");
    if (c.delayed) {
      EXPECT_EQ(Searches(), 0);
      ASSERT_TRUE(timers_.Fire(view_.get(), ids::kIncrementalSearchTimer));
      Settle();
    }
    EXPECT_EQ(Searches(), 1);
    EXPECT_EQ(Shown(), kGoShown);
    // The inflection search follows the search, not the composition.
    EXPECT_TRUE(timers_.IsArmed(view_.get(), ids::kInflectionSearchTimer));
    Compose("i");
    EXPECT_FALSE(SearchTimerArmed());
    view_.reset();
  }
}

TEST_F(InputMethodTest, ReturnWhileComposingCommitsAndDoesNotSearchTwice) {
  struct Case {
    const char* name;
    std::string options;
    int afterCommit;  // searches after the Return that committed
  };
  for (const Case& c :
       {Case{"incremental search", "", 1}, Case{"incremental search off", "incresearch=2\n", 0}}) {
    SCOPED_TRACE(c.name);
    Open(c.options);
    Compose("go");
    QTest::keyClick(edit(), Qt::Key_Return);
    Settle();
    EXPECT_FALSE(edit()->composing());
    EXPECT_EQ(edit()->text(), "go");
    EXPECT_EQ(Searches(), c.afterCommit);
    // The next Return is the search command as ever.
    QTest::keyClick(edit(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(Searches(), c.afterCommit + 1);
    EXPECT_EQ(Shown(), kGoShown);
    view_.reset();
  }
}

TEST_F(InputMethodTest, EscapeWhileComposingCancelsOnlyTheComposition) {
  Open("");
  QTest::keyClicks(edit(), "go");
  Settle();
  const int searches = Searches();
  Compose("ing");
  QTest::keyClick(edit(), Qt::Key_Escape);
  Settle();
  EXPECT_FALSE(edit()->composing());
  EXPECT_EQ(edit()->text(), "go");
  EXPECT_EQ(edit()->displayText(), "go");
  EXPECT_EQ(Searches(), searches);
  EXPECT_EQ(Shown(), kGoShown);
  // Without a composition Escape clears the box, as it always did.
  QTest::keyClick(edit(), Qt::Key_Escape);
  EXPECT_EQ(edit()->text(), "");
}

TEST_F(InputMethodTest, TheCandidateWindowSitsAtTheCaret) {
  Open("");
  QTest::keyClicks(edit(), "go");
  Settle();
  const QRect before = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const QString preedit = QString::fromUtf16(u"いんぐ");
  Compose(preedit);
  const QRect at = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  // The caret moved on by the width of the composed text, inside the box.
  EXPECT_NEAR(at.x() - before.x(), edit()->fontMetrics().horizontalAdvance(preedit), 1);
  EXPECT_TRUE(edit()->rect().contains(at.center()));
  EXPECT_EQ(at.y(), before.y());
}

}  // namespace
}  // namespace tavlex
