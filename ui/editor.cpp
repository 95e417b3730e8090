#include "ui/editor.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "platform/clipboard.h"
#include "resources/menus.h"
#include "resources/resource_ids.h"
#include "ui/japanese_font.h"
#include "ui/qt_text_measurer.h"
#include "ui/scroll_codes.h"
#include "ui/text_places.h"

namespace tavlex {
namespace {

// How many characters each turn of the event loop wraps after a paint: a
// few milliseconds of shaping, so that keys and paints are never held up long.
constexpr int kSliceCharacters = 4096;

// The handheld's window border.
constexpr int kBorderWidth = 1;
constexpr int kFocusBorderWidth = 2;

struct KeyScroll {
  int key;
  int code;
};
// Home and End are SB_TOP and SB_BOTTOM: both repaint everything and move
// the top line and the thumb, and only when the top line changes.
constexpr KeyScroll kKeyScrolls[] = {
    {Qt::Key_Up, SB_LINEUP},   {Qt::Key_Down, SB_LINEDOWN},     {Qt::Key_PageUp, SB_PAGEUP},
    {Qt::Key_Left, SB_PAGEUP}, {Qt::Key_PageDown, SB_PAGEDOWN}, {Qt::Key_Right, SB_PAGEDOWN},
    {Qt::Key_Home, SB_TOP},    {Qt::Key_End, SB_BOTTOM},
};

struct KeyStep {
  int key;
  CaretStep step;
};
// With Shift: the caret moves, the selection follows.
constexpr KeyStep kKeySteps[] = {
    {Qt::Key_Left, CaretStep::kLeft},      {Qt::Key_Right, CaretStep::kRight},
    {Qt::Key_Up, CaretStep::kUp},          {Qt::Key_Down, CaretStep::kDown},
    {Qt::Key_Home, CaretStep::kLineStart}, {Qt::Key_End, CaretStep::kLineEnd},
};

}  // namespace

CEditor::CEditor(QWidget* parent)
    : QAbstractScrollArea(parent), measurer_(std::make_unique<QtTextMeasurer>(*this)) {
  setObjectName(QStringLiteral("resultDisplay"));
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(kBorderWidth);
  // The frame is drawn in this role, which the focus frame changes; the text,
  // drawn in Text on the viewport, keeps its colour.
  setForegroundRole(QPalette::WindowText);
  setFont(JapaneseFallback(font()));
  // The lookup view moves the focus here from the keyboard; a click leaves it where it is.
  setFocusPolicy(Qt::TabFocus);

  // The viewport fills itself with Base before each paint, so Qt knows it
  // opaque and QWidget::scroll repaints only the strip it uncovers.
  viewport()->setAutoFillBackground(true);

  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // As needed: the bar shows only while the range is more than 0 ... 0.
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QScrollBar* bar = verticalScrollBar();
  bar->setObjectName(QStringLiteral("resultScrollBar"));
  bar->setFocusPolicy(Qt::NoFocus);
  // Its "Scroll here" entry would set the value directly, past Scroll.
  bar->setContextMenuPolicy(Qt::NoContextMenu);
  connect(bar, &QAbstractSlider::actionTriggered, this, &CEditor::OnScrollBarAction);
}

CEditor::~CEditor() = default;

void CEditor::Clear() {
  layout_.Clear();
  selection_.Clear();
  selecting_ = false;
}

void CEditor::AppendText(const QString& text, const FontHandle& font, const std::vector<MarkRange>& marks) {
  layout_.AppendText(text, font, marks);
}

void CEditor::Layout() {
  layout_.LayOutLazily(viewport()->width(), *measurer_);
  // The paint this layout is followed by sets the range anew. Until then the
  // thumb stays within the last paint's range: the layout's own guess of it
  // counts the lines that last fitted as a whole page, and would show a bar
  // beside a text that fits.
  verticalScrollBar()->setValue(layout_.topLine());
}

const std::vector<DisplayLine>& CEditor::lines() {
  layout_.WrapThrough(static_cast<int>(layout_.paragraphs().size()));
  return layout_.lines();
}

std::optional<int> CEditor::topParagraph() const {
  // The top line is always wrapped: a layout wraps the page below it.
  const std::vector<DisplayLine>& wrapped = layout_.lines();
  if (topLine() >= static_cast<int>(wrapped.size())) return std::nullopt;
  return wrapped[topLine()].paragraph;
}

void CEditor::ScheduleWrap() {
  if (layout_.complete() || std::exchange(wrapScheduled_, true)) return;
  // A posted call rather than a timer: it comes after the paint reaches the
  // screen, and before the next events only when they are not waiting yet.
  QMetaObject::invokeMethod(this, &CEditor::WrapSlice, Qt::QueuedConnection);
}

void CEditor::WrapSlice() {
  wrapScheduled_ = false;
  layout_.WrapMore(kSliceCharacters);
  MoveThumb();
  ScheduleWrap();
}

void CEditor::ShowSameText(const CEditor& other) {
  Clear();
  Scroll(SB_TOP, 0);
  for (const Paragraph& paragraph : other.paragraphs()) AppendText(paragraph.text, paragraph.font);
  Layout();
  viewport()->update();
}

void CEditor::Scroll(int code, int position) {
  const std::optional<ScrollMove> move = layout_.Scroll(code, position, verticalScrollBar()->value());
  if (!move) return;
  if (move->smooth) {
    // Qt moves any region still waiting to be repainted along with the
    // pixels, so a pending repaint also covers the place its text moved to.
    viewport()->scroll(0, move->delta);
  } else {
    viewport()->update();
  }
  MoveThumb();
}

void CEditor::SetMeasurerForTesting(std::unique_ptr<TextMeasurer> measurer) {
  measurer_ = std::move(measurer);
  // The layout must not wrap what waits with the measurer that is gone.
  layout_.Layout(viewport()->width(), *measurer_);
}

void CEditor::paintEvent(QPaintEvent*) {
  {
    QPainter painter(viewport());
    const QPalette& colours = viewport()->palette();
    for (const PlacedLine& placed : layout_.PlacePage(viewport()->height())) {
      const DisplayLine& line = layout_.lines()[placed.line];
      const Paragraph& paragraph = layout_.paragraphs()[line.paragraph];
      painter.setFont(paragraph.font ? *paragraph.font : font());
      const QString text = paragraph.text.mid(line.first, line.count);
      const QPoint baseline(0, placed.y + painter.fontMetrics().ascent());
      painter.setPen(colours.color(QPalette::Text));
      painter.drawText(baseline, text);
      // A mark, or the selection, is the line drawn again, clipped to its characters, on its colour.
      const auto drawOver = [&](const MarkRange& range, QPalette::ColorRole back, QPalette::ColorRole fore) {
        const int left = painter.fontMetrics().horizontalAdvance(text.left(range.begin - line.first));
        const int width = painter.fontMetrics().horizontalAdvance(text.left(range.end - line.first)) - left;
        const QRect box(left, placed.y, width, line.height);
        painter.fillRect(box, colours.color(back));
        painter.save();
        painter.setClipRect(box);
        painter.setPen(colours.color(fore));
        painter.drawText(baseline, text);
        painter.restore();
      };
      for (const MarkRange& mark : MarksOnLine(paragraph, line))
        drawOver(mark, QPalette::Highlight, QPalette::HighlightedText);
      // The selection in the text and base colours swapped, over the marks.
      if (const auto range =
              selection_.OnParagraph(line.paragraph, static_cast<int>(paragraph.text.size()))) {
        const MarkRange onLine{std::max(range->begin, line.first),
                               std::min(range->end, line.first + line.count)};
        if (onLine.begin < onLine.end) drawOver(onLine, QPalette::Text, QPalette::Base);
      }
    }
  }
  // The range comes from what this paint found. Showing or hiding the bar
  // resizes the viewport, which lays the text out again for the new width.
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, layout_.maxTopLine());
  bar->setPageStep(std::max(layout_.pageLines(), 1));
  MoveThumb();
  ScheduleWrap();
}

void CEditor::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  ShowFocusFrame(true);
}

void CEditor::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  ShowFocusFrame(false);
}

// The border, outside the viewport, takes the highlight colour: a frame
// drawn inside would cover the first column of text and scroll with it.
void CEditor::ShowFocusFrame(bool focused) {
  QPalette colours = palette();
  colours.setColor(foregroundRole(), focused ? colours.color(QPalette::Highlight)
                                             : viewport()->palette().color(QPalette::Text));
  setPalette(colours);
  setLineWidth(focused ? kFocusBorderWidth : kBorderWidth);
}

void CEditor::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Layout();
}

void CEditor::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    Copy();
    return;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    SelectAll();
    return;
  }
  if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier) {
    const auto step = std::find_if(std::begin(kKeySteps), std::end(kKeySteps),
                                   [&](const KeyStep& k) { return k.key == event->key(); });
    if (step != std::end(kKeySteps)) {
      MoveCaret(step->step);
      return;
    }
  }
  const auto scroll = std::find_if(std::begin(kKeyScrolls), std::end(kKeyScrolls),
                                   [&](const KeyScroll& k) { return k.key == event->key(); });
  if (scroll != std::end(kKeyScrolls)) {
    Scroll(scroll->code, 0);
    return;
  }
  // Past QAbstractScrollArea, which would scroll by keys of its own: other
  // keys go on to the parent.
  QWidget::keyPressEvent(event);
}

void CEditor::scrollContentsBy(int, int) {
  // Scroll has already moved the pixels or asked for a repaint; the value
  // changes that arrive here are the thumb following topLine.
}

void CEditor::OnScrollBarAction(int action) {
  const int code = ScrollCodeForAction(action);
  if (code == SB_ENDSCROLL) return;
  QScrollBar* bar = verticalScrollBar();
  // The value still holds the position before the action: where Scroll starts.
  Scroll(code, bar->sliderPosition());
  // Keep the thumb where Scroll put it, not where the bar's own step would.
  bar->setSliderPosition(bar->value());
}

void CEditor::MoveThumb() {
  QScrollBar* bar = verticalScrollBar();
  // Lines wrapped since the last paint may take the text past its range;
  // otherwise the value is clamped to the range of the last paint, which
  // the next paint sets anew.
  if (layout_.maxTopLine() > bar->maximum()) bar->setMaximum(layout_.maxTopLine());
  bar->setValue(layout_.topLine());
}

void CEditor::MoveCaret(CaretStep step) {
  // The caret's paragraph and the next, where a step down may go.
  layout_.WrapThrough(selection_.caret().paragraph + 1);
  if (layout_.lines().empty()) return;
  // Without a selection the caret starts where the reader is: at a click's
  // place on the page, else at the top line.
  if (selection_.empty()) {
    const int caretLine = layout_.LineShowing(selection_.caret().paragraph, selection_.caret().offset);
    if (caretLine < topLine() || caretLine > topLine() + std::max(pageLines() - 1, 0)) {
      const DisplayLine& top = layout_.lines()[topLine()];
      selection_.Start({top.paragraph, top.first});
    }
  }
  selection_.Extend(StepCaret(layout_, selection_.caret(), step, *measurer_));
  ScrollToCaret();
  SelectionChanged();
}

void CEditor::ScrollToCaret() {
  const int line = layout_.LineShowing(selection_.caret().paragraph, selection_.caret().offset);
  const int lastWhole = topLine() + std::max(pageLines(), 1) - 1;
  if (line == topLine() - 1) {
    Scroll(SB_LINEUP, 0);
  } else if (line == lastWhole + 1) {
    Scroll(SB_LINEDOWN, 0);
  } else if (line < topLine()) {
    Scroll(SB_THUMBTRACK, line);
  } else if (line > lastWhole) {
    Scroll(SB_THUMBTRACK, line - std::max(pageLines(), 1) + 1);
  }
}

TextPlace CEditor::PlaceAt(QPoint point) {
  // The paint wrapped what it shows; a point below it may be anywhere further down.
  if (point.y() >= viewport()->height()) layout_.WrapThrough(static_cast<int>(layout_.paragraphs().size()));
  return PlaceAtPoint(layout_, point, *measurer_);
}

void CEditor::SelectionChanged() {
  if (!selection_.empty()) platform::Clipboard::Write(platform::Clipboard::Mode::kSelection, SelectedText());
  viewport()->update();
}

void CEditor::SelectAll() {
  const std::vector<Paragraph>& paragraphs = layout_.paragraphs();
  if (paragraphs.empty()) return;
  selection_.Start({});
  selection_.Extend(
      {static_cast<int>(paragraphs.size()) - 1, static_cast<int>(paragraphs.back().text.size())});
  SelectionChanged();
}

void CEditor::Copy() {
  if (!selection_.empty()) platform::Clipboard::Write(platform::Clipboard::Mode::kClipboard, SelectedText());
}

bool CEditor::OnCommand(int command) {
  if (command != ids::kEditCopy) return false;
  Copy();
  return true;
}

bool CEditor::OnCommandState(int command, platform::CommandState& state) {
  switch (command) {
    case ids::kEditCopy:
      state.enabled = !selection_.empty();
      return true;
    case ids::kEditCut:
    case ids::kEditPaste:
    case ids::kEditUndo:
      state.enabled = false;
      return true;
    default:
      return false;
  }
}

void CEditor::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  const TextPlace place = PlaceAt(event->position().toPoint());
  if (event->modifiers() & Qt::ShiftModifier) {
    selection_.Extend(place);
  } else {
    selection_.Start(place);
  }
  selecting_ = true;
  viewport()->update();
}

void CEditor::mouseMoveEvent(QMouseEvent* event) {
  if (!selecting_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint point = event->position().toPoint();
  // Past an edge the text comes a line towards the pointer at each move.
  if (point.y() < 0) Scroll(SB_LINEUP, 0);
  if (point.y() >= viewport()->height()) Scroll(SB_LINEDOWN, 0);
  selection_.Extend(PlaceAt(point));
  viewport()->update();
}

void CEditor::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !std::exchange(selecting_, false)) return;
  if (selection_.empty()) return;
  setFocus(Qt::MouseFocusReason);
  SelectionChanged();
}

void CEditor::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  selection_.SelectWord(layout_.paragraphs(), PlaceAt(event->position().toPoint()));
  // The release that follows selects nothing anew.
  selecting_ = false;
  if (selection_.empty()) return;
  setFocus(Qt::MouseFocusReason);
  SelectionChanged();
}

void CEditor::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("resultPopupMenu"));
  for (const MenuItem& item : ResultPopupMenu()) {
    if (item.command == ids::kLookUpSelection && !lookUpTarget_) continue;
    QAction* action = menu.addAction(item.text);
    action->setObjectName(QStringLiteral("resultPopup%1").arg(item.command));
    action->setData(item.command);
    action->setEnabled(!selection_.empty());
  }
  const QAction* chosen = menu.exec(event->globalPos());
  if (!chosen) return;
  const int command = chosen->data().toInt();
  if (!OnCommand(command) && lookUpTarget_) platform::PostCommand(lookUpTarget_, command);
}

}  // namespace tavlex
