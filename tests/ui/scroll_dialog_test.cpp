// The scrolling arithmetic of the settings dialogs, and a dialog taller than
// its window scrolling a focused control into view.
#include "ui/scroll_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "platform/device.h"
#include "tests/support/platform_fakes.h"
#include "ui/dialog_scroller.h"
#include "ui/scroll_codes.h"

namespace tavlex {
namespace {

DialogScroller Overflowing(int overflow, int viewHeight = 200) {
  DialogScroller scroller;
  scroller.Measure(viewHeight + overflow - DialogScroller::kBottomMargin);
  scroller.Resize(viewHeight);
  return scroller;
}

TEST(DialogScroller, LineStepsStopExactlyAtBothEnds) {
  DialogScroller scroller = Overflowing(95);
  EXPECT_EQ(scroller.range(), (DialogScroller::Range{95, 9}));
  std::vector<int> down;
  while (const std::optional<int> delta = scroller.Scroll(SB_LINEDOWN, 0)) down.push_back(*delta);
  EXPECT_EQ(down, (std::vector<int>{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 5}));
  EXPECT_EQ(scroller.scrollOffset(), 95);
  int up = 0;
  while (scroller.Scroll(SB_LINEUP, 0)) ++up;
  EXPECT_EQ(up, 11);
  EXPECT_EQ(scroller.scrollOffset(), 0);

  // Pages are the view less the margin; the thumb goes anywhere; top and bottom do nothing.
  EXPECT_EQ(scroller.Scroll(SB_PAGEDOWN, 0), 95);
  EXPECT_EQ(scroller.Scroll(SB_PAGEUP, 0), -95);
  EXPECT_EQ(scroller.Scroll(SB_THUMBTRACK, 40), 40);
  EXPECT_EQ(scroller.Scroll(SB_TOP, 0), std::nullopt);
  EXPECT_EQ(scroller.Scroll(SB_BOTTOM, 0), std::nullopt);
  EXPECT_EQ(scroller.scrollOffset(), 40);

  // A smaller overflow than ten pixels is still reached by line steps.
  DialogScroller small = Overflowing(4);
  int steps = 0;
  while (small.Scroll(SB_LINEDOWN, 0)) ++steps;
  EXPECT_EQ(steps, 4);
}

TEST(DialogScroller, ControlsThatFitNeverScrollAndAGrownWindowTakesTheOffsetBack) {
  DialogScroller fits = Overflowing(-50);
  EXPECT_EQ(fits.range(), (DialogScroller::Range{0, 0}));
  EXPECT_EQ(fits.Scroll(SB_LINEDOWN, 0), std::nullopt);

  DialogScroller scroller = Overflowing(95);
  scroller.Scroll(SB_THUMBPOSITION, 90);
  EXPECT_EQ(scroller.Resize(250), (DialogScroller::Range{45, 4}));
  EXPECT_EQ(scroller.scrollOffset(), 45);
}

TEST(DialogScroller, AWheelScrollsByPixelsUpToEitherEnd) {
  struct Case {
    int from;
    int pixels;
    std::optional<int> moved;
  };
  for (const Case& c : {
           Case{0, 30, 30},
           Case{0, -30, std::nullopt},  // at the top already
           Case{80, 30, 15},            // stops at the end of the 95-pixel overflow
           Case{95, 1, std::nullopt},
           Case{20, -30, -20},
           Case{40, 0, std::nullopt},
       }) {
    DialogScroller scroller = Overflowing(95);
    scroller.Scroll(SB_THUMBPOSITION, c.from);
    EXPECT_EQ(scroller.ScrollBy(c.pixels), c.moved) << c.from << " by " << c.pixels;
    EXPECT_EQ(scroller.scrollOffset(), c.from + c.moved.value_or(0));
  }
  EXPECT_EQ(Overflowing(-50).ScrollBy(10), std::nullopt);  // controls that fit never move
}

TEST(DialogScroller, FocusTargets) {
  const QRect client(0, 0, 200, 100);
  // Wholly visible: nothing.
  EXPECT_EQ(DialogScroller::FocusTarget(client, QRect(10, 10, 50, 20), 0, 95), std::nullopt);
  // Below: its bottom lands 30 pixels above the client bottom.
  EXPECT_EQ(DialogScroller::FocusTarget(client, QRect(10, 110, 50, 20), 0, 95), 60);
  // Above: its top lands 30 pixels below the client top; the clamp stops at 0 and at the maximum.
  EXPECT_EQ(DialogScroller::FocusTarget(client, QRect(10, -20, 50, 20), 60, 95), 10);
  EXPECT_EQ(DialogScroller::FocusTarget(client, QRect(10, -5, 50, 20), 10, 95), 0);
  EXPECT_EQ(DialogScroller::FocusTarget(client, QRect(10, 150, 50, 20), 40, 95), 95);
  // Clipped only at the side: back to the top.
  EXPECT_EQ(DialogScroller::FocusTarget(client, QRect(180, 40, 50, 20), 50, 95), 0);
}

class TallDialog : public CScrollDialog {
 public:
  explicit TallDialog(ScrollBar bar = ScrollBar::kAlwaysShown, int fields = 20)
      : CScrollDialog(nullptr, bar) {
    auto* layout = new QVBoxLayout(content());
    for (int i = 0; i < fields; ++i) {
      auto* edit = new QLineEdit(content());
      edit->setObjectName(QStringLiteral("field%1").arg(i));
      edit->setMinimumHeight(30);
      layout->addWidget(edit);
    }
  }
  using CScrollDialog::OnInitDialog;
};

TEST(CScrollDialog, AShortDialogScrollsAFocusedControlIntoView) {
  TallDialog dialog;
  dialog.show();
  dialog.resize(300, 200);
  QApplication::setActiveWindow(&dialog);
  QApplication::processEvents();
  EXPECT_GT(dialog.scroller().contentHeight(), 20 * 30);
  EXPECT_TRUE(dialog.scrollBar()->isEnabled());
  EXPECT_EQ(dialog.scrollBar()->maximum(),
            dialog.scroller().contentHeight() - dialog.scroller().viewHeight());

  auto* last = dialog.findChild<QLineEdit*>(QStringLiteral("field19"));
  last->setFocus();
  QApplication::processEvents();
  QApplication::processEvents();
  const QWidget* client = dialog.findChild<QWidget*>(QStringLiteral("clientArea"));
  const QRect shown(last->mapTo(client, QPoint(0, 0)), last->size());
  EXPECT_TRUE(client->rect().contains(shown)) << shown.y() << " in " << client->height();
  EXPECT_EQ(dialog.scrollBar()->value(), dialog.scroller().scrollOffset());

  // Showing the dialog again starts from the top.
  dialog.hide();
  dialog.show();
  QApplication::processEvents();
  EXPECT_EQ(dialog.scroller().scrollOffset(), 0);
}

// Fitted as it shows, before the window manager has framed it: the title
// bar must still find room on the screen, or OK and Cancel end up below it.
TEST(CScrollDialog, ADialogTallerThanTheScreenLeavesRoomForItsTitleBar) {
  TallDialog dialog(CScrollDialog::ScrollBar::kAlwaysShown, 40);
  dialog.show();
  QApplication::processEvents();
  EXPECT_LE(dialog.height() + 32, dialog.screen()->availableGeometry().height());
}

TEST(CScrollDialog, ABarBuiltWithoutShowsOnlyWhileTheControlsDoNotFit) {
  for (const auto bar :
       {CScrollDialog::ScrollBar::kAlwaysShown, CScrollDialog::ScrollBar::kShownWhenNeeded}) {
    TallDialog dialog(bar, 2);
    dialog.show();
    dialog.resize(300, 400);
    QApplication::processEvents();
    EXPECT_EQ(dialog.scrollBar()->isVisible(), bar == CScrollDialog::ScrollBar::kAlwaysShown);
    EXPECT_FALSE(dialog.scrollBar()->isEnabled());
    dialog.resize(300, 40);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.scrollBar()->isVisible());
    EXPECT_TRUE(dialog.scrollBar()->isEnabled());
  }
}

// The dialog maximised and restored: its controls gather back where they
// were, the bar comes back on, and Tab onto the last one scrolls to it.
TEST(CScrollDialog, TheControlsFollowTheDialogWhenItGrowsAndShrinksAgain) {
  TallDialog dialog;
  dialog.show();
  dialog.resize(300, 200);
  QApplication::setActiveWindow(&dialog);
  QApplication::processEvents();
  auto* last = dialog.findChild<QLineEdit*>(QStringLiteral("field19"));
  const QRect before = last->geometry();
  const int overflow = dialog.scrollBar()->maximum();
  ASSERT_GT(overflow, 0);

  dialog.resize(300, 2000);
  QApplication::processEvents();
  EXPECT_FALSE(dialog.scrollBar()->isEnabled());
  dialog.resize(300, 200);
  QApplication::processEvents();
  EXPECT_EQ(last->geometry(), before);
  EXPECT_TRUE(dialog.scrollBar()->isEnabled());
  EXPECT_EQ(dialog.scrollBar()->maximum(), overflow);

  last->setFocus();
  QApplication::processEvents();
  QApplication::processEvents();
  const QWidget* client = dialog.findChild<QWidget*>(QStringLiteral("clientArea"));
  EXPECT_TRUE(client->rect().contains(QRect(last->mapTo(client, QPoint(0, 0)), last->size())));
}

TEST(CScrollDialog, AWheelNotchScrollsThreeLinesOfControlsWhereverThePointerIs) {
  TallDialog dialog;
  dialog.show();
  dialog.resize(300, 200);
  QApplication::processEvents();
  const auto* field0 = dialog.findChild<QLineEdit*>(QStringLiteral("field0"));
  const auto* field3 = dialog.findChild<QLineEdit*>(QStringLiteral("field3"));
  const int threeLines = field3->y() - field0->y();
  QWidget* over[] = {dialog.findChild<QLineEdit*>(QStringLiteral("field1")), dialog.scrollBar(),
                     dialog.findChild<QWidget*>(QStringLiteral("clientArea")), &dialog};
  int expected = 0;
  for (QWidget* target : over) {
    QWheelEvent notch(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &notch);
    expected = std::min(expected + threeLines, dialog.scrollBar()->maximum());
    EXPECT_EQ(dialog.scroller().scrollOffset(), expected) << target->metaObject()->className();
    EXPECT_EQ(dialog.scrollBar()->value(), expected);
    EXPECT_EQ(dialog.findChild<QWidget*>(QStringLiteral("controls"))->y(), -expected);
  }
  QWheelEvent back(QPointF(5, 5), dialog.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&dialog, &back);
  EXPECT_EQ(dialog.scroller().scrollOffset(), std::max(expected - threeLines, 0));
}

TEST(CScrollDialog, OnTheKeypadClassBackIsBackspace) {
  const testing::FakeDeviceClass keypad(platform::kKeypadDevice);
  TallDialog dialog;
  dialog.show();
  auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("field0"));
  field->setText(QStringLiteral("abc"));
  field->setFocus();
  QKeyEvent back(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(field, &back);
  QApplication::processEvents();
  EXPECT_EQ(field->text(), QStringLiteral("ab"));
  EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace tavlex
