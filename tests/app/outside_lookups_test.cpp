// Words from other programs in the running viewer: the pop-up shows the
// search's results and closes on Escape, Return opens the word in the main
// window (whose next activation keeps it), and a watched clipboard is looked
// up only when another program put text on it.
#include "app/outside_lookups.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "resources/resource_ids.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/process_until.h"
#include "tests/support/view_fixture.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "ui/lookup_popup.h"

namespace tavlex {
namespace {

using testing::Settle;
using Source = LookupRequest::Source;
using Place = LookupRequest::Place;

class OutsideLookupsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteThreeRegistered(dir_);
    app_.InitialiseWith(dir_.path() / "tavlex.ini", false);
    Settle();
  }

  OutsideLookups& outside() { return *app_.outside(); }
  CLookupView* view() { return app_.frame()->view(); }
  bool PopupShown() { return outside().popup() && outside().popup()->isVisible(); }
  QStringList PopupText() {
    QStringList texts;
    for (const Paragraph& paragraph : outside().popup()->display()->paragraphs()) texts << paragraph.text;
    return texts;
  }

  testing::TempDir dir_;
  testing::FakeClipboard clipboard_;
  CViewerApp app_;
};

// A text from outside is looked up as a text: the heading of its group, then the entries.
const QStringList kLookedUpGo = {"go", "go", "a", "", "go", "c", ""};

TEST_F(OutsideLookupsTest, ThePopupClosesOnEscapeAndReturnOpensTheWordInTheWindow) {
  outside().OnLaunch({Source::kWord, u"go", Place::kPopup}, {});
  Settle();
  ASSERT_TRUE(PopupShown());
  EXPECT_FALSE(app_.frame()->isVisible());
  EXPECT_EQ(PopupText(), kLookedUpGo);
  QTest::keyClick(outside().popup()->display(), Qt::Key_Escape);
  EXPECT_FALSE(PopupShown());

  clipboard_.SetClipboard({true, "clipboard text", false});
  outside().OnLaunch({Source::kWord, u"go", Place::kPopup}, {});
  Settle();
  QTest::keyClick(outside().popup()->display(), Qt::Key_Return);
  EXPECT_FALSE(PopupShown());
  EXPECT_TRUE(app_.frame()->isVisible());
  // The window comes up with the word; its activation pastes nothing over
  // it, nor the next one the same clipboard: only a new copy.
  view()->PasteOnActivate();
  EXPECT_EQ(view()->searchEdit()->text(), "go");
  view()->PasteOnActivate();
  EXPECT_EQ(view()->searchEdit()->text(), "go");
  clipboard_.SetClipboard({true, "copied later", false});
  view()->PasteOnActivate();
  EXPECT_EQ(view()->searchEdit()->text(), "copied later");
}

// Where a program reads the selection only with the focus (Wayland), the
// pop-up comes up first and reads it then; with nothing selected it gives
// way to the main window.
TEST_F(OutsideLookupsTest, WhereTheSelectionNeedsTheFocusThePopupComesFirst) {
  testing::FakeClipboard focusOnly(true);
  focusOnly.SetSelection(platform::Clipboard::Content{true, "go", false});
  outside().OnLaunch({Source::kSelection, u"", Place::kPopup}, {});
  ASSERT_TRUE(PopupShown());
  EXPECT_EQ(outside().popup()->word(), "");  // not read yet
  testing::ProcessUntil([&] { return outside().popup()->word() == "go" && !PopupText().isEmpty(); });
  EXPECT_EQ(PopupText(), kLookedUpGo);

  focusOnly.SetSelection(platform::Clipboard::Content{});
  outside().OnLaunch({Source::kSelection, u"", Place::kPopup}, {});
  testing::ProcessUntil([&] { return !PopupShown(); });
  EXPECT_TRUE(app_.frame()->isVisible());
  EXPECT_EQ(view()->searchEdit()->text(), "");  // the pop-up's look-up was its own
}

TEST_F(OutsideLookupsTest, AWatchedClipboardIsLookedUpOnlyForTextFromOtherPrograms) {
  struct Case {
    const char* what;
    platform::Clipboard::Content content;
    bool shown;
  };
  const Case cases[] = {
      {"another program's text", {true, "go", false}, true},
      {"the viewer's own copy", {true, "go", true}, false},
      {"an image", {false, "", false}, false},
  };
  EXPECT_FALSE(outside().options().watchClipboard);  // off until chosen
  platform::PostCommand(view(), ids::kWatchClipboard);
  Settle();
  ASSERT_TRUE(outside().options().watchClipboard);
  for (const Case& c : cases) {
    if (outside().popup()) outside().popup()->close();
    clipboard_.SetClipboard(c.content);
    emit QGuiApplication::clipboard()->changed(QClipboard::Clipboard);
    Settle();
    EXPECT_EQ(PopupShown(), c.shown) << c.what;
  }
  EXPECT_EQ(PopupText(), kLookedUpGo);

  platform::PostCommand(view(), ids::kWatchClipboard);
  Settle();
  outside().popup()->close();
  emit QGuiApplication::clipboard()->changed(QClipboard::Clipboard);
  Settle();
  EXPECT_FALSE(PopupShown()) << "no longer watched";
  EXPECT_EQ(app_.settings().GetString(u"lookup", u"watchclipboard"), u"0");
}

// The pop-up looks up on its own: the window's search box and results stay
// as the user left them until the pop-up's text is opened there, or a
// look-up is for the window.
TEST_F(OutsideLookupsTest, OnlyALookupForTheWindowChangesTheWindowsSearch) {
  const QStringList windowShowsGo = {"go", "a", "", "go", "c", ""};
  view()->searchEdit()->setText("go");
  Settle();
  ASSERT_EQ(testing::Shown(*view()), windowShowsGo);
  platform::PostCommand(view(), ids::kWatchClipboard);
  Settle();

  struct Step {
    const char* what;
    std::function<void()> act;
    QString box;  // the window's search box afterwards
    QStringList window;
  };
  const std::vector<Step> steps = {
      {"a look-up in the pop-up",
       [&] {
         outside().OnLaunch({Source::kWord, u"went", Place::kPopup}, {});
       },
       "go", windowShowsGo},
      {"a watched copy",
       [&] {
         clipboard_.SetClipboard({true, "going", false});
         emit QGuiApplication::clipboard()->changed(QClipboard::Clipboard);
       },
       "go", windowShowsGo},
      // Opened in the window, a text is looked up there as the pop-up did.
      {"Return in the pop-up",
       [&] { QTest::keyClick(outside().popup()->display(), Qt::Key_Return); },
       "going",
       {"going → go（現在分詞）", "go", "a", "", "go", "c", ""}},
      {"a look-up for the window",
       [&] {
         outside().OnLaunch({Source::kWord, u"go", Place::kWindow}, {});
       },
       "go", kLookedUpGo},
  };
  for (const Step& step : steps) {
    step.act();
    Settle();
    EXPECT_EQ(view()->searchEdit()->text(), step.box) << step.what;
    EXPECT_EQ(testing::Shown(*view()), step.window) << step.what;
  }
  EXPECT_FALSE(PopupShown());
}

// The pop-up's keep button: its first hit goes into the word book with the
// form found and the selected text, the covered part marked; kept once.
TEST_F(OutsideLookupsTest, ThePopupKeepsItsFirstHitWithTheSelectedText) {
  outside().OnLaunch({Source::kWord, u"go home", Place::kPopup}, {});
  Settle();
  ASSERT_TRUE(PopupShown());
  const std::vector<QString> hints = {"単語帳に追加しました: go", "単語帳にすでにあります: go"};
  for (const QString& hint : hints) {
    QTest::keyClick(outside().popup()->display(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(outside().popup()->hint(), hint);
  }
  EXPECT_EQ(PopupText(), (QStringList{"go", "★ go", "a", "", "go", "c", ""}));
  std::vector<std::u16string> kept;
  for (const wordbook::KeptEntry& entry : view()->wordBook().Entries()) {
    if (entry.sourceText != u"go home") continue;  // the word book is shared by the tests of this program
    kept.push_back(entry.headword + u"|" + entry.translation + u"|" +
                   entry.sourceText.substr(entry.coveredBegin, entry.coveredEnd - entry.coveredBegin) + u"|" +
                   entry.sourceText);
  }
  EXPECT_EQ(kept, (std::vector<std::u16string>{u"go|a|go|go home"}));
}

}  // namespace
}  // namespace tavlex
