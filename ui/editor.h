// CEditor: the read-only result display below the search box. It shows
// paragraphs of text, each in its own font, wrapped to the window's width,
// and scrolls them by whole lines with its scroll bar and the cursor keys.
// It paints in the palette's base and text colours, and marked characters on
// the highlight colour, so a dark desktop gets a dark display.
// The text and the arithmetic live in EditorLayout; this class measures,
// draws, moves pixels and keeps the scroll bar in step.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>
#include <memory>
#include <vector>

#include "ui/editor_layout.h"
#include "ui/text_measurer.h"

namespace tavlex {

class CEditor final : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CEditor(QWidget* parent = nullptr);
  ~CEditor() override;

  // What the lookup view does for a new result list: Clear, Scroll(SB_TOP),
  // AppendText for every piece, Layout, then a repaint of the whole display.
  void Clear();
  // A null font means font(), the display's default font. marks: ranges of
  // text drawn on the palette's highlight colour (ordered).
  void AppendText(const QString& text, const FontHandle& font, const std::vector<MarkRange>& marks = {});
  // Wraps the text to the current width; asks for no repaint. The thumb
  // follows the top line, which may have moved.
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
  const std::vector<DisplayLine>& lines() const { return layout_.lines(); }

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

 private:
  void OnScrollBarAction(int action);
  void ShowFocusFrame(bool focused);
  void MoveThumb();

  EditorLayout layout_;
  std::unique_ptr<TextMeasurer> measurer_;
};

}  // namespace tavlex
