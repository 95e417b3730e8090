// CEditor: the read-only result display below the search box. It shows
// paragraphs of text, each in its own font, wrapped to the window's width,
// and scrolls them by whole lines with its scroll bar and the cursor keys.
// It paints in the palette's base and text colours, and marked characters on
// the highlight colour, so a dark desktop gets a dark display.
// Text is selected in it with the mouse (a drag, a double click for a word)
// and with Shift and the cursor keys, drawn in the text and base colours
// swapped so that it stands apart from the marks, and copied with the copy
// command, its key or the context menu.
// The text and the arithmetic live in EditorLayout, the selection in
// TextSelection; this class measures, draws, moves pixels, keeps the scroll
// bar in step and turns the mouse and the keys into their calls.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "platform/messages.h"
#include "ui/editor_layout.h"
#include "ui/text_measurer.h"
#include "ui/text_places.h"
#include "ui/text_selection.h"

namespace tavlex {

class CEditor final : public QAbstractScrollArea, public platform::CommandTarget {
  Q_OBJECT

 public:
  explicit CEditor(QWidget* parent = nullptr);
  ~CEditor() override;

  // What the lookup view does for a new result list: Clear (which also drops
  // the selection), Scroll(SB_TOP),
  // AppendText for every piece, Layout, then a repaint of the whole display.
  void Clear();
  // A null font means font(), the display's default font. marks: ranges of
  // text drawn on the palette's highlight colour (ordered).
  void AppendText(const QString& text, const FontHandle& font, const std::vector<MarkRange>& marks = {});
  // Wraps the text to the current width; asks for no repaint. The thumb
  // follows the top line, which may have moved. Only what a paint shows is
  // wrapped before it; the rest follows a slice at a time once it is on
  // screen, or at once where a scroll or the selection needs it.
  void Layout();
  // Shows what other shows, paragraph for paragraph in the same fonts, from
  // the top, wrapped to this display's width.
  void ShowSameText(const CEditor& other);
  // The scroll codes of scroll_codes.h. Line steps move the pixels already on
  // screen, every other move repaints the whole display.
  void Scroll(int code, int position);

  int topLine() const { return layout_.topLine(); }
  int maxTopLine() const { return layout_.maxTopLine(); }
  int pageLines() const { return layout_.pageLines(); }
  const std::vector<Paragraph>& paragraphs() const { return layout_.paragraphs(); }
  // Every line, with what still waits to be wrapped.
  const std::vector<DisplayLine>& lines();
  // The paragraph the top line belongs to, without wrapping the rest; none for an empty display.
  std::optional<int> topParagraph() const;

  const TextSelection& selection() const { return selection_; }
  // The selected text, a line break between paragraphs; empty without a selection.
  QString SelectedText() const { return selection_.Text(layout_.paragraphs()); }
  // What a look-up of the selection reads (TextSelection::LookUpText).
  QString LookUpText() const { return selection_.LookUpText(layout_.paragraphs()); }
  // The context menu offers the look-up of the selection, which posts
  // ids::kLookUpSelection to target (which must outlive the display); without
  // a target it offers the copy only.
  void OfferLookUp(QObject* target) { lookUpTarget_ = target; }

  // The copy command copies the selection; the display takes no cut, paste
  // or undo, and greys them while it has the focus.
  bool OnCommand(int command) override;
  bool OnCommandState(int command, platform::CommandState& state) override;

  // Replaces the QFontMetrics measurer, so that wrapping and scrolling can be
  // checked against fixed metrics. Painting still draws in the real fonts.
  void SetMeasurerForTesting(std::unique_ptr<TextMeasurer> measurer);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // With the focus, the display's border turns into a focus frame, so that
  // keys typed here are not taken for input to the search box.
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  // A press starts a selection (Shift with it extends the one there is), a
  // drag extends it, scrolling by a line past the top or the bottom edge. A
  // release that leaves text selected, and a double click, give the display
  // the focus, so that the copy key and Return act on it; a plain click
  // leaves the focus where it is.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void OnScrollBarAction(int action);
  // Wraps one slice of what waits, and asks for the next while more waits.
  void WrapSlice();
  void ScheduleWrap();
  void ShowFocusFrame(bool focused);
  void MoveThumb();
  // Shift with a cursor key: the caret moves, and the display scrolls to show it.
  void MoveCaret(CaretStep step);
  void ScrollToCaret();
  TextPlace PlaceAt(QPoint point);
  // Repaints the selection; text selected goes to the primary selection too.
  void SelectionChanged();
  void Copy();
  // Ctrl+A: the whole text, the caret at its end; the display stays where it is.
  void SelectAll();

  EditorLayout layout_;
  std::unique_ptr<TextMeasurer> measurer_;
  TextSelection selection_;
  bool selecting_ = false;           // the left button went down on the text and is held
  bool wrapScheduled_ = false;       // a WrapSlice is on its way
  QObject* lookUpTarget_ = nullptr;  // see OfferLookUp
};

}  // namespace tavlex
