// EditorLayout: the result display's text and arithmetic, without a window.
// It owns the paragraphs, wraps them into lines for a client width, decides
// which lines a paint shows (and from that how far the text may scroll), and
// turns scroll codes into a new top line. CEditor measures through it, draws
// the lines it places and moves the pixels it asks for.
#pragma once

#include <QFont>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>
#include <vector>

#include "ui/text_measurer.h"

namespace tavlex {

// A font shared by the paragraphs drawn in it and the cache that made it, so
// that it lives as long as any of them; null means the display's default font.
using FontHandle = std::shared_ptr<const QFont>;

// Characters [begin, end) of a text that are marked: drawn on the highlight colour.
struct MarkRange {
  int begin = 0;
  int end = 0;

  bool operator==(const MarkRange&) const = default;
};

// A run of text drawn in one font, without a line terminator.
struct Paragraph {
  QString text;
  FontHandle font;
  std::vector<MarkRange> marks = {};  // in text, ordered, not overlapping
};

// One wrapped line: count characters of paragraphs()[paragraph] from first.
struct DisplayLine {
  int paragraph = 0;
  int first = 0;
  int count = 0;   // 0 only for an empty paragraph
  int height = 0;  // pixels: the measured height of the line in its paragraph's font
};

// A line that a paint draws: its index in lines() and the y of its top edge.
struct PlacedLine {
  int line = 0;
  int y = 0;
};

// What a scroll asks of the window once topLine has moved: shift the pixels
// on screen by delta (negative: up) and repaint the strip uncovered, or, when
// not smooth, repaint everything.
struct ScrollMove {
  bool smooth = false;
  int delta = 0;
};

// How many of the first fit characters of line stay on it. A run of ASCII
// letters that a break at fit would cut moves whole to the next line, unless
// the run begins the line; every other character may end a line.
int WordBreak(QStringView line, int fit);

// The marks of paragraph that fall on line, clipped to it, in paragraph offsets.
std::vector<MarkRange> MarksOnLine(const Paragraph& paragraph, const DisplayLine& line);

class EditorLayout {
 public:
  // Drops every paragraph, and the lines with them, which refer to
  // paragraphs by index: until the next Layout a paint draws nothing.
  void Clear();
  // One paragraph per piece of text between CR LF pairs, all in font. A lone
  // CR or LF stays in the text. marks are ranges of text, ordered; each
  // paragraph keeps the part of them that falls on its characters.
  void AppendText(const QString& text, const FontHandle& font, const std::vector<MarkRange>& marks = {});

  // Wraps every paragraph to clientWidth. The line that holds the character
  // that was first on the top line becomes the top line, as far as
  // maxTopLine allows. A width of 0 or less (a window not laid out yet)
  // changes nothing.
  void Layout(int clientWidth, const TextMeasurer& measurer);
  // The same, except that a paragraph is wrapped only when a paint, a scroll
  // or one of the calls below first needs its lines, in order from the top,
  // and that the lines already made stay when neither the width nor the
  // measurer changed. Until every paragraph is wrapped, lines() holds those
  // of the first ones and maxTopLine counts only them. measurer must
  // outlive the layout or the next Layout.
  void LayOutLazily(int clientWidth, const TextMeasurer& measurer);
  // Wraps the paragraphs still waiting, from the first, until those wrapped
  // by this call hold at least characters characters; true when none waits.
  bool WrapMore(int characters);
  // Wraps every paragraph up to paragraph (all of them past the last).
  void WrapThrough(int paragraph);
  // No paragraph waits to be wrapped.
  bool complete() const { return wrapped_ == laidOut_; }

  // The lines from topLine down to the first one that crosses the bottom
  // edge. Sets pageLines to the lines wholly visible and maxTopLine to how
  // far the text can scroll as seen from here.
  std::vector<PlacedLine> PlacePage(int clientHeight);

  // Moves topLine for a scroll code (scroll_codes.h), starting from thumb,
  // the scroll bar's position. position is the target of SB_THUMBPOSITION
  // and SB_THUMBTRACK. Nothing when the top line stays where it is. Wraps
  // as far as the move needs to know where the text ends.
  std::optional<ScrollMove> Scroll(int code, int position, int thumb);

  int topLine() const { return topLine_; }
  int maxTopLine() const { return maxTopLine_; }
  int pageLines() const { return pageLines_; }
  const std::vector<Paragraph>& paragraphs() const { return paragraphs_; }
  const std::vector<DisplayLine>& lines() const { return lines_; }

  // Index of the line that shows character first of paragraph (its end: the
  // paragraph's last line), for a layout that may have cut the paragraph
  // elsewhere; 0 without lines.
  int LineShowing(int paragraph, int first) const;

 private:
  void Wrap(int paragraph, int clientWidth, const TextMeasurer& measurer);
  // Lays out (lazily or not) after remembering the top line's place.
  void LayOut(int clientWidth, const TextMeasurer& measurer, bool lazily);
  // Wraps the next paragraph waiting; its character count.
  int WrapNext();
  // Wraps until there are at least count lines or nothing waits.
  void WrapLines(int count);
  // After lines were added: how far the text scrolls with the last paint's page.
  void LinesAdded() { maxTopLine_ = LastTopLine(pageLines_); }
  // The top line from which wholeLines more lines fill the window.
  int LastTopLine(int wholeLines) const;
  int HeightOfLines(int from, int to) const;

  int topLine_ = 0;     // first line drawn; also the scroll position
  int maxTopLine_ = 0;  // as of the last paint or Layout
  int pageLines_ = 0;   // lines wholly visible at the last paint
  std::vector<Paragraph> paragraphs_;
  std::vector<DisplayLine> lines_;          // of paragraphs [0, wrapped_), as of the last Layout
  int wrapped_ = 0;                         // paragraphs wrapped into lines_
  int laidOut_ = 0;                         // paragraphs there were at the last Layout
  int width_ = 0;                           // the client width of lines_
  const TextMeasurer* measurer_ = nullptr;  // of lines_; while paragraphs wait, it wraps them
};

}  // namespace tavlex
