// The result display as a widget: paint sets the scroll range, keys and the
// scroll bar scroll, line steps repaint only what they uncover, the display
// stays out of the way of the mouse focus until text is selected in it, and
// the selection is made, drawn and copied as a user does it.
#include "ui/editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QImage>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

#include "resources/resource_ids.h"
#include "tests/support/platform_fakes.h"
#include "tests/ui/fixed_measurer.h"
#include "ui/scroll_codes.h"

namespace tavlex {
namespace {

constexpr int kClientWidth = 200;
constexpr int kClientHeight = 100;
constexpr int kCharWidth = FixedMeasurer::kDefault.charWidth;
constexpr int kLineHeight = FixedMeasurer::kDefault.height;

// Collects the regions the viewport is asked to paint.
class PaintRecorder : public QObject {
 public:
  QRegion painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

bool HasDarkPixel(const QImage& image, const QRect& rect) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) return true;
    }
  }
  return false;
}

// A shown window holding a line edit and the display, whose client area is
// kClientWidth by kClientHeight; text measured with fixed metrics.
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit_ = new QLineEdit(&window_);
    editor_ = new CEditor(&window_);
    auto measurer = std::make_unique<FixedMeasurer>();
    measurer_ = measurer.get();
    editor_->SetMeasurerForTesting(std::move(measurer));
    const int frame = editor_->frameWidth();
    editor_->setGeometry(0, 30, kClientWidth + 2 * frame, kClientHeight + 2 * frame);
    window_.resize(kClientWidth + 50, kClientHeight + 50);
    window_.show();
    ASSERT_EQ(editor_->viewport()->height(), kClientHeight);
  }

  void Fill(int lines) {
    for (int i = 0; i < lines; ++i) editor_->AppendText("x", nullptr);
    editor_->Layout();
  }
  // Paints the display now, as a repaint would, and lets the scroll bar show
  // or hide as it then does.
  QImage Paint() {
    const QImage image = editor_->viewport()->grab().toImage();
    QApplication::sendPostedEvents();
    return image;
  }
  QScrollBar* Bar() { return editor_->findChild<QScrollBar*>("resultScrollBar"); }
  bool BarShown() { return Bar()->isVisibleTo(editor_); }
  void SetClientWidth(int width) {
    editor_->resize(width + 2 * editor_->frameWidth() + (BarShown() ? Bar()->width() : 0), editor_->height());
    ASSERT_EQ(editor_->viewport()->width(), width);
  }
  void Press(Qt::Key key) { QTest::keyClick(editor_, key); }
  // A mouse event on the text at point, with buttons held after it.
  void Mouse(QEvent::Type type, QPoint point, Qt::MouseButtons buttons = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, point, editor_->viewport()->mapToGlobal(point), Qt::LeftButton, buttons,
                      modifiers);
    QApplication::sendEvent(editor_->viewport(), &event);
  }
  void Drag(QPoint from, QPoint to) {
    Mouse(QEvent::MouseButtonPress, from);
    Mouse(QEvent::MouseMove, to);
    Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
  }
  // The centre of character offset on line (all lines 16 high, characters 8 wide).
  static QPoint At(int line, int offset) { return {offset * kCharWidth + 1, line * kLineHeight + 4}; }

  QWidget window_;
  QLineEdit* edit_ = nullptr;
  CEditor* editor_ = nullptr;
  FixedMeasurer* measurer_ = nullptr;  // owned by editor_
};

TEST_F(EditorTest, HundredLinesPageDownThroughTheKeys) {
  ASSERT_EQ(editor_->objectName(), "resultDisplay");
  Fill(100);
  Paint();
  EXPECT_EQ(editor_->pageLines(), 6);
  EXPECT_EQ(editor_->maxTopLine(), 94);
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(Bar()->minimum(), 0);
  EXPECT_EQ(Bar()->maximum(), 94);

  for (int top = 6; top <= 90; top += 6) {
    Press(Qt::Key_PageDown);
    EXPECT_EQ(editor_->topLine(), top);
    EXPECT_EQ(Bar()->value(), top);
  }
  Press(Qt::Key_PageDown);
  EXPECT_EQ(editor_->topLine(), 94);
  Paint();
  EXPECT_EQ(editor_->maxTopLine(), 94);
  EXPECT_EQ(editor_->pageLines(), 5);
}

TEST_F(EditorTest, CursorKeysScrollAndOtherKeysGoOn) {
  Fill(100);
  Paint();
  const struct {
    Qt::Key key;
    int topLine;
  } steps[] = {
      {Qt::Key_Down, 1},   {Qt::Key_Down, 2}, {Qt::Key_Up, 1},     {Qt::Key_End, 94},
      {Qt::Key_Up, 93},    {Qt::Key_Home, 0}, {Qt::Key_Up, 0},     {Qt::Key_PageDown, 6},
      {Qt::Key_Right, 12}, {Qt::Key_Left, 6}, {Qt::Key_PageUp, 0},
  };
  for (const auto& step : steps) {
    Press(step.key);
    EXPECT_EQ(editor_->topLine(), step.topLine) << QKeySequence(step.key).toString().toStdString();
    EXPECT_EQ(Bar()->value(), step.topLine) << QKeySequence(step.key).toString().toStdString();
  }

  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(editor_, &down);
  EXPECT_TRUE(down.isAccepted());
  QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(editor_, &letter);
  EXPECT_FALSE(letter.isAccepted());
}

TEST_F(EditorTest, ClearedDisplayIsWhiteAndHidesItsScrollBar) {
  Fill(10);
  QImage image = Paint();
  EXPECT_TRUE(BarShown());
  EXPECT_TRUE(HasDarkPixel(image, QRect(0, 0, kCharWidth, kLineHeight)));
  Press(Qt::Key_End);

  editor_->Clear();
  editor_->Scroll(SB_TOP, 0);
  editor_->Layout();
  image = Paint();
  EXPECT_FALSE(BarShown());
  EXPECT_EQ(Bar()->maximum(), 0);
  QImage white(image.size(), image.format());
  white.fill(Qt::white);
  EXPECT_EQ(image, white);
  for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Down}) {
    Press(key);
    EXPECT_EQ(editor_->topLine(), 0) << QKeySequence(key).toString().toStdString();
  }
}

TEST_F(EditorTest, ScrollBarActionsScrollLikeTheirCodes) {
  const auto huge = std::make_shared<const QFont>();
  measurer_->SetMetrics(huge.get(), {kCharWidth, 2 * kClientHeight});
  editor_->AppendText("huge", huge);
  Fill(99);
  Paint();
  // No whole line, no page: neither the text nor the thumb moves.
  Bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(editor_->topLine(), 0);
  EXPECT_EQ(Bar()->value(), 0);

  Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(editor_->topLine(), 1);
  Paint();
  Bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(editor_->topLine(), 7);
  Bar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(editor_->topLine(), 94);
  Bar()->setSliderPosition(50);  // dragging the thumb
  EXPECT_EQ(editor_->topLine(), 50);
  Bar()->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(editor_->topLine(), 0);
  EXPECT_EQ(Bar()->value(), 0);
}

TEST_F(EditorTest, ATextThatFitsShowsNoBarWhateverTheResize) {
  Fill(3);
  Paint();
  ASSERT_FALSE(BarShown());
  // As when a status line appears below the display: less room, still enough.
  for (const int height : {5 * kLineHeight, 4 * kLineHeight, kClientHeight}) {
    editor_->resize(editor_->width(), height + 2 * editor_->frameWidth());
    QApplication::sendPostedEvents();
    EXPECT_EQ(Bar()->maximum(), 0) << height;
    EXPECT_FALSE(BarShown()) << height;
    Paint();
    EXPECT_FALSE(BarShown()) << height;
  }
}

TEST_F(EditorTest, WidthChangeMovesTheThumbWithTheTopLine) {
  for (int i = 0; i < 30; ++i) editor_->AppendText("01234567890123456789", nullptr);
  editor_->Layout();
  Paint();
  ASSERT_EQ(editor_->lines().size(), 30u);
  editor_->Scroll(SB_THUMBPOSITION, 10);

  SetClientWidth(10 * kCharWidth + 4);  // two lines a paragraph
  EXPECT_EQ(editor_->topLine(), 20);
  EXPECT_EQ(Bar()->value(), 20);

  Press(Qt::Key_End);
  ASSERT_EQ(editor_->topLine(), 54);   // paragraph 27
  SetClientWidth(4 * kCharWidth + 4);  // five lines a paragraph
  EXPECT_EQ(editor_->topLine(), 135);
  // Past the range of the last paint, the thumb catches up at the next paint.
  Paint();
  EXPECT_EQ(Bar()->value(), 135);
  Press(Qt::Key_Up);
  EXPECT_EQ(editor_->topLine(), 134);
}

// Text far longer than a slice: the first paint wraps its page only, what
// needs the lines below gets them at once, and the slices bring the rest.
TEST_F(EditorTest, LongTextIsWrappedPastThePageWhenNeededAndAfterThePaint) {
  constexpr int kCount = 5000;
  constexpr int kPage = kClientHeight / kLineHeight;
  const struct {
    Qt::Key key;  // pressed times times; Key_unknown: a drag from the top to far below the page
    int times;
    Qt::KeyboardModifiers modifiers;
    int top;
    int selectedLineBreaks;
  } cases[] = {
      {Qt::Key_End, 1, {}, kCount - kPage, 0},
      {Qt::Key_PageDown, 3, {}, 3 * kPage, 0},
      {Qt::Key_Down, 10, Qt::ShiftModifier, 10 - kPage + 1, 10},
      // Past the bottom edge the text comes up a line, and the line under the pointer is reached.
      {Qt::Key_unknown, 1, {}, 1, 1 + 1000 / kLineHeight},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    editor_->Clear();
    editor_->Scroll(SB_TOP, 0);
    Fill(kCount);
    editor_->viewport()->grab();  // the paint, before anything it posted
    EXPECT_LT(Bar()->maximum(), kCount - kPage);
    for (int i = 0; i < c.times; ++i)
      c.key == Qt::Key_unknown ? Drag(At(0, 0), {1, 1000}) : QTest::keyClick(editor_, c.key, c.modifiers);
    EXPECT_EQ(editor_->topLine(), c.top);
    EXPECT_EQ(editor_->SelectedText().count(u'\n'), c.selectedLineBreaks);
    for (int i = 0; i < 10; ++i) QApplication::sendPostedEvents();  // the slices
    EXPECT_EQ(Bar()->maximum(), kCount - kPage);
  }
}

TEST_F(EditorTest, LineStepRepaintsOnlyTheUncoveredStrip) {
  Fill(100);
  Paint();
  QApplication::processEvents();  // the repaints of showing the window and the bar
  PaintRecorder recorder;
  editor_->viewport()->installEventFilter(&recorder);
  const int width = editor_->viewport()->width();

  Press(Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_EQ(recorder.painted, QRegion(0, kClientHeight - kLineHeight, width, kLineHeight));

  // A repaint still pending when the text moves is moved with it.
  recorder.painted = QRegion();
  editor_->viewport()->update(0, 50, 10, 10);
  Press(Qt::Key_Up);
  QApplication::processEvents();
  EXPECT_TRUE(recorder.painted.contains(QRect(0, 50 + kLineHeight, 10, 10)));
  EXPECT_TRUE(recorder.painted.contains(QRect(0, 0, width, kLineHeight)));
  EXPECT_FALSE(recorder.painted.contains(QPoint(width / 2, kClientHeight / 2)));
}

TEST_F(EditorTest, ClickLeavesTheFocusAloneButTabBringsItIn) {
  Fill(100);
  Paint();
  edit_->setFocus();
  QTest::mouseClick(editor_->viewport(), Qt::LeftButton);
  QTest::mouseClick(Bar(), Qt::LeftButton);
  EXPECT_EQ(window_.focusWidget(), edit_);

  QTest::keyClick(edit_, Qt::Key_Tab);
  EXPECT_EQ(window_.focusWidget(), editor_);
}

TEST_F(EditorTest, PaintsInThePalettesColoursAndMarksOnTheHighlight) {
  QPalette dark;
  dark.setColor(QPalette::Base, QColor(35, 38, 41));
  dark.setColor(QPalette::Text, QColor(239, 240, 241));
  dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
  QApplication::setActiveWindow(&window_);  // focus events reach an active window only
  for (const QPalette& palette : {QApplication::palette(), dark}) {
    window_.setPalette(palette);
    editor_->Clear();
    editor_->AppendText("abcdef", nullptr, {{2, 4}});
    editor_->Layout();
    const QImage image = Paint();
    EXPECT_EQ(image.pixelColor(kClientWidth - 1, kClientHeight - 1), palette.color(QPalette::Base));
    int marked = 0;
    for (int x = 0; x < kClientWidth; ++x)
      marked += image.pixelColor(x, 1) == palette.color(QPalette::Highlight);
    EXPECT_GT(marked, 0);

    // The focus frame takes the highlight; the text keeps its colour.
    QTest::keyClick(edit_, Qt::Key_Tab);
    EXPECT_EQ(editor_->palette().color(editor_->foregroundRole()), palette.color(QPalette::Highlight));
    EXPECT_EQ(editor_->viewport()->palette().color(QPalette::Text), palette.color(QPalette::Text));
    edit_->setFocus();
  }
}

// With the real fonts: every line that had to be cut is narrower than the
// window, and every line that wasn't fits it.
TEST(EditorWithRealFonts, LinesFitTheWindow) {
  CEditor editor;
  editor.resize(150, 200);
  editor.show();
  editor.AppendText(
      "A dictionary viewer shows the entries it found one after another, each word wrapped where it "
      "must be, and Japanese too: 辞書の見出し語と訳語を次々に表示する。",
      nullptr);
  editor.Layout();
  const int width = editor.viewport()->width();
  const QFontMetrics metrics(editor.font(), &editor);
  const QString& text = editor.paragraphs()[0].text;
  ASSERT_GT(editor.lines().size(), 3u);
  int next = 0;
  for (const DisplayLine& line : editor.lines()) {
    EXPECT_EQ(line.first, next);
    const int advance = metrics.horizontalAdvance(text.mid(line.first, line.count));
    if (line.first + line.count < text.size()) {
      EXPECT_LT(advance, width) << text.mid(line.first, line.count).toStdString();
    } else {
      EXPECT_LE(advance, width);
    }
    EXPECT_EQ(line.height, metrics.height());
    next += line.count;
  }
  EXPECT_EQ(next, text.size());
}

// Collects the commands posted to it.
class CommandRecorder : public QObject {
 public:
  std::vector<int> commands;

 protected:
  bool event(QEvent* event) override {
    if (event->type() != platform::CommandEvent::Type()) return QObject::event(event);
    commands.push_back(static_cast<platform::CommandEvent*>(event)->command());
    return true;
  }
};

TEST_F(EditorTest, DragSelectsTakesTheFocusAndCopies) {
  testing::FakeClipboard clipboard;
  editor_->AppendText("took care of", nullptr);
  editor_->AppendText(QString::fromUtf16(u"子供の世話"), nullptr);
  editor_->Layout();
  Paint();
  edit_->setFocus();

  // Backwards, over the break between the paragraphs; the primary selection follows.
  const QString selected = QString::fromUtf16(u"care of\n子供");
  Drag(At(1, 2), At(0, 5));
  EXPECT_EQ(editor_->SelectedText(), selected);
  EXPECT_EQ(window_.focusWidget(), editor_);
  ASSERT_TRUE(clipboard.selection());
  EXPECT_EQ(clipboard.selection()->text, selected);
  EXPECT_EQ(clipboard.clipboard().text, "");
  QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard.clipboard(), (platform::Clipboard::Content{true, selected, true}));

  // Shift with a click moves the caret; the anchor stays.
  Mouse(QEvent::MouseButtonPress, At(0, 12), Qt::LeftButton, Qt::ShiftModifier);
  Mouse(QEvent::MouseButtonRelease, At(0, 12), Qt::NoButton);
  EXPECT_EQ(editor_->SelectedText(), QString::fromUtf16(u"\n子供"));

  // A plain click selects nothing, and copies nothing over the clipboard.
  QTest::mouseClick(editor_->viewport(), Qt::LeftButton, Qt::NoModifier, At(0, 1));
  EXPECT_TRUE(editor_->selection().empty());
  QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard.clipboard().text, selected);
}

TEST_F(EditorTest, DraggingPastTheBottomEdgeScrolls) {
  for (int i = 0; i < 20; ++i) editor_->AppendText(QString("line %1").arg(i), nullptr);
  editor_->Layout();
  Paint();
  // Each move below the bottom edge brings a line up.
  Mouse(QEvent::MouseButtonPress, At(0, 0));
  for (int i = 0; i < 3; ++i) Mouse(QEvent::MouseMove, {10, kClientHeight + 5});
  Mouse(QEvent::MouseButtonRelease, {10, kClientHeight + 5}, Qt::NoButton);
  EXPECT_EQ(editor_->topLine(), 3);
  EXPECT_TRUE(editor_->SelectedText().startsWith("line 0\nline 1\n"));
}

TEST_F(EditorTest, ShiftWithTheCursorKeysSelectsFromTheTopLine) {
  QStringList texts;
  for (int i = 0; i < 20; ++i) texts << QString("line %1").arg(i, 2, 10, QChar('0'));
  for (const QString& text : texts) editor_->AppendText(text, nullptr);
  editor_->Layout();
  Paint();
  editor_->setFocus();
  editor_->Scroll(SB_THUMBTRACK, 10);
  Paint();
  const auto shift = [this](Qt::Key key, int times) {
    for (int i = 0; i < times; ++i) QTest::keyClick(editor_, key, Qt::ShiftModifier);
  };
  // Down below the last whole line scrolls a line to show the caret.
  shift(Qt::Key_Right, 2);
  shift(Qt::Key_Down, 6);
  shift(Qt::Key_Left, 1);
  EXPECT_EQ(editor_->SelectedText(), "line 10\nline 11\nline 12\nline 13\nline 14\nline 15\nl");
  EXPECT_EQ(editor_->topLine(), 11);
  // Without Shift the keys still scroll, and the selection stays.
  Press(Qt::Key_Down);
  EXPECT_EQ(editor_->topLine(), 12);
  // Up above the top line: the text comes down a line to show the caret.
  shift(Qt::Key_Up, 7);
  EXPECT_EQ(editor_->topLine(), 9);
  EXPECT_EQ(editor_->SelectedText(), "ine 09\n");
  // Home and End: the ends of the caret's line; Ctrl+A: everything, the display where it was.
  shift(Qt::Key_Home, 1);
  EXPECT_EQ(editor_->SelectedText(), "line 09\n");
  shift(Qt::Key_End, 1);
  EXPECT_EQ(editor_->SelectedText(), "\n");
  QTest::keyClick(editor_, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(editor_->SelectedText(), texts.join('\n'));
  EXPECT_EQ(editor_->topLine(), 9);
}

TEST_F(EditorTest, SelectionIsDrawnInTheTextColourOverTheMarks) {
  editor_->AppendText("abcdef", nullptr, {{0, 3}});
  editor_->Layout();
  Drag(At(0, 2), At(0, 5));
  const QImage image = Paint();
  const QPalette& colours = editor_->viewport()->palette();
  const QFontMetrics metrics(editor_->font(), editor_->viewport());  // painted in the real font
  const struct {
    int offset;
    QPalette::ColorRole background;
  } cases[] = {{0, QPalette::Highlight}, {2, QPalette::Text}, {4, QPalette::Text}, {5, QPalette::Base}};
  for (const auto& c : cases) {
    // The first pixel of one of the three colours along the bottom row of the line, below the letters.
    QColor found;
    for (int x = metrics.horizontalAdvance(QString("abcdef").left(c.offset));
         x < metrics.horizontalAdvance(QString("abcdef").left(c.offset + 1)) && !found.isValid(); ++x) {
      const QColor colour = image.pixelColor(x, kLineHeight - 1);
      for (const auto role : {QPalette::Base, QPalette::Highlight, QPalette::Text})
        if (colour == colours.color(role)) found = colour;
    }
    EXPECT_EQ(found, colours.color(c.background))
        << "offset " << c.offset;  // marked, both, selected, neither
  }
}

TEST_F(EditorTest, ContextMenuCopiesAndOffersTheLookUpToItsTarget) {
  testing::FakeClipboard clipboard;
  CommandRecorder target;
  editor_->AppendText("took care of", nullptr);
  editor_->Layout();
  Paint();
  Drag(At(0, 5), At(0, 9));
  // Opens the menu, chooses item and says what it offered.
  const auto choose = [this](const QString& item) {
    QStringList offered;
    QTimer::singleShot(0, [item, &offered] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      for (QAction* action : menu->actions()) offered << action->objectName();
      menu->setActiveAction(menu->findChild<QAction*>(item));
      QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, At(0, 6), editor_->viewport()->mapToGlobal(At(0, 6)));
    QApplication::sendEvent(editor_->viewport(), &event);
    return offered;
  };
  const QString copy = QString("resultPopup%1").arg(ids::kEditCopy);
  const QString lookUp = QString("resultPopup%1").arg(ids::kLookUpSelection);
  EXPECT_EQ(choose(copy), QStringList{copy});  // no target: no look-up
  EXPECT_EQ(clipboard.clipboard().text, "care");
  editor_->OfferLookUp(&target);
  EXPECT_EQ(choose(lookUp), (QStringList{copy, lookUp}));
  QApplication::sendPostedEvents(&target);
  EXPECT_EQ(target.commands, std::vector<int>{ids::kLookUpSelection});
}

}  // namespace
}  // namespace tavlex
