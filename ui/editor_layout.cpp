#include "ui/editor_layout.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

#include "base/lines.h"
#include "platform/qt_text.h"
#include "ui/scroll_codes.h"

namespace tavlex {
namespace {

// An empty line is as high as a space in its font.
const QString kEmptyLineSample = QStringLiteral(" ");
// Where the search for the first line's end of a paragraph starts.
constexpr int kFirstGuess = 32;

bool IsAsciiLetter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

struct Fit {
  int count;   // characters that fit
  int height;  // of the last measurement made to find out
};

// How much of run fits on a line clientWidth wide. The whole run may fill
// the width exactly; a cut prefix must be strictly narrower. At least one
// character always fits, so that a window narrower than a character still
// gets through the paragraph, a character a line. The search starts from
// guess characters and doubles them while they fit, so that a long
// paragraph is never measured whole for each of its lines.
Fit FitRun(QStringView run, const QFont* font, int clientWidth, const TextMeasurer& measurer, int guess) {
  const int length = static_cast<int>(run.size());
  // lo characters are known to fit (or lo is 0), hi are known not to.
  int lo = 0;
  int hi = length;
  int probe = std::clamp(guess, 1, length);
  QSize extent;
  for (;;) {
    extent = measurer.Extent(font, run.first(probe));
    if (extent.width() < clientWidth && probe < length) {
      lo = probe;
      probe = probe > length / 2 ? length : 2 * probe;
      continue;
    }
    if (probe == length || extent.width() == clientWidth) {
      // The rest may end in characters of no width after a prefix that fills the line.
      const QSize whole = probe == length ? extent : measurer.Extent(font, run);
      if (whole.width() <= clientWidth) return {length, whole.height()};
    }
    hi = probe;
    break;
  }
  // Halving between what fits and what does not.
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    extent = measurer.Extent(font, run.first(mid));
    if (extent.width() < clientWidth) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return {std::max(lo, 1), extent.height()};
}

}  // namespace

int WordBreak(QStringView line, int fit) {
  // Past the end is the terminator, which is no letter.
  if (fit >= line.size() || !IsAsciiLetter(line[fit])) return fit;
  for (int k = fit - 1; k >= 0; --k) {
    if (!IsAsciiLetter(line[k])) return k + 1;
  }
  return fit;
}

void EditorLayout::Clear() {
  paragraphs_.clear();
  lines_.clear();
  wrapped_ = 0;
  laidOut_ = 0;
}

std::vector<MarkRange> MarksOnLine(const Paragraph& paragraph, const DisplayLine& line) {
  std::vector<MarkRange> on;
  const int end = line.first + line.count;
  for (const MarkRange& mark : paragraph.marks) {
    if (mark.end > line.first && mark.begin < end)
      on.push_back({std::max(mark.begin, line.first), std::min(mark.end, end)});
  }
  return on;
}

void EditorLayout::AppendText(const QString& text, const FontHandle& font,
                              const std::vector<MarkRange>& marks) {
  const std::u16string_view whole = ToU16View(text);
  for (const std::u16string_view piece : SplitAtCrLf(whole)) {
    const int from = static_cast<int>(piece.data() - whole.data());
    const int to = from + static_cast<int>(piece.size());
    Paragraph paragraph{QString::fromUtf16(piece.data(), static_cast<qsizetype>(piece.size())), font};
    for (const MarkRange& mark : marks) {
      if (mark.end > from && mark.begin < to)
        paragraph.marks.push_back({std::max(mark.begin, from) - from, std::min(mark.end, to) - from});
    }
    paragraphs_.push_back(std::move(paragraph));
  }
}

void EditorLayout::Layout(int clientWidth, const TextMeasurer& measurer) {
  LayOut(clientWidth, measurer, false);
  // Nothing waits, and the measurer may go now.
  measurer_ = nullptr;
}

void EditorLayout::LayOutLazily(int clientWidth, const TextMeasurer& measurer) {
  LayOut(clientWidth, measurer, true);
}

void EditorLayout::LayOut(int clientWidth, const TextMeasurer& measurer, bool lazily) {
  if (clientWidth <= 0) return;
  // Paragraphs keep their characters across layouts while line indexes do
  // not, so the top line is remembered as a place in its paragraph. An empty
  // top line stays on top too.
  std::optional<DisplayLine> top;
  if (topLine_ < static_cast<int>(lines_.size())) top = lines_[topLine_];

  if (!lazily || clientWidth != width_ || &measurer != measurer_) {
    lines_.clear();
    wrapped_ = 0;
  }
  width_ = clientWidth;
  measurer_ = &measurer;
  laidOut_ = static_cast<int>(paragraphs_.size());
  WrapThrough(lazily ? (top ? top->paragraph : -1) : laidOut_);
  const int topLine = top ? LineShowing(top->paragraph, top->first) : 0;
  // The page below the top line, so that it can stay on top.
  WrapLines(topLine + pageLines_ + 1);

  maxTopLine_ = LastTopLine(pageLines_);
  topLine_ = std::min(topLine, maxTopLine_);
}

int EditorLayout::WrapNext() {
  const int paragraph = wrapped_++;
  Wrap(paragraph, width_, *measurer_);
  return static_cast<int>(paragraphs_[paragraph].text.size());
}

void EditorLayout::WrapLines(int count) {
  const size_t before = lines_.size();
  while (static_cast<int>(lines_.size()) < count && wrapped_ < laidOut_) WrapNext();
  if (lines_.size() != before) LinesAdded();
}

void EditorLayout::WrapThrough(int paragraph) {
  const size_t before = lines_.size();
  while (wrapped_ <= paragraph && wrapped_ < laidOut_) WrapNext();
  if (lines_.size() != before) LinesAdded();
}

bool EditorLayout::WrapMore(int characters) {
  const size_t before = lines_.size();
  // An empty paragraph counts as one character, so that each wrap uses up some of the allowance.
  for (int done = 0; done < characters && wrapped_ < laidOut_;) done += WrapNext() + 1;
  if (lines_.size() != before) LinesAdded();
  return complete();
}

void EditorLayout::Wrap(int paragraph, int clientWidth, const TextMeasurer& measurer) {
  const Paragraph& p = paragraphs_[paragraph];
  const QStringView text(p.text);
  int first = 0;
  // A line holds about as many characters as the one before it.
  int guess = kFirstGuess;
  do {
    const QStringView rest = text.sliced(first);
    const Fit fit = rest.isEmpty() ? Fit{0, measurer.Extent(p.font.get(), kEmptyLineSample).height()}
                                   : FitRun(rest, p.font.get(), clientWidth, measurer, guess);
    const int count = WordBreak(rest, fit.count);
    guess = fit.count;
    lines_.push_back({paragraph, first, count, fit.height});
    first += count;
  } while (first < text.size());
}

std::vector<PlacedLine> EditorLayout::PlacePage(int clientHeight) {
  std::vector<PlacedLine> placed;
  maxTopLine_ = 0;
  int y = 0;
  for (int i = topLine_;; ++i) {
    WrapLines(i + 1);
    if (i >= static_cast<int>(lines_.size())) break;
    placed.push_back({i, y});
    y += lines_[i].height;
    if (y > clientHeight) {
      // The line crossing the bottom edge is drawn but not wholly visible.
      maxTopLine_ = LastTopLine(static_cast<int>(placed.size()) - 1);
      break;
    }
    // Everything from here down fits: no scrolling further down.
    maxTopLine_ = topLine_;
  }
  // A paint that draws nothing leaves no whole line to page by.
  pageLines_ = std::max(static_cast<int>(placed.size()) - 1, 0);
  return placed;
}

int EditorLayout::LastTopLine(int wholeLines) const {
  // The top line must be a line: when a single line is taller than the
  // window (wholeLines 0) the last line is as far as scrolling goes.
  const int lineCount = static_cast<int>(lines_.size());
  return std::clamp(lineCount - wholeLines, 0, std::max(lineCount - 1, 0));
}

int EditorLayout::LineShowing(int paragraph, int first) const {
  // Lines run in (paragraph, first) order: the last line that starts at or
  // before the place is the one holding it.
  const auto after = std::upper_bound(lines_.begin(), lines_.end(), std::pair(paragraph, first),
                                      [](const std::pair<int, int>& place, const DisplayLine& line) {
                                        return place < std::pair(line.paragraph, line.first);
                                      });
  return after == lines_.begin() ? 0 : static_cast<int>(after - lines_.begin()) - 1;
}

std::optional<ScrollMove> EditorLayout::Scroll(int code, int position, int thumb) {
  // Whether the text ends before the target takes the lines down to a page below it.
  const auto below = [this](int64_t line) {
    return static_cast<int>(std::clamp<int64_t>(line + pageLines_ + 1, 0, INT_MAX));
  };
  switch (code) {
    case SB_LINEDOWN:
      WrapLines(below(int64_t{thumb} + 1));
      break;
    case SB_PAGEDOWN:
      WrapLines(below(int64_t{thumb} + 2 * int64_t{pageLines_}));
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      WrapLines(below(position));
      break;
    case SB_BOTTOM:
      WrapThrough(laidOut_);
      break;
    default:
      break;
  }
  int pos = thumb;
  bool smooth = false;
  switch (code) {
    case SB_LINEUP:
      if (pos > 0) {
        --pos;
        smooth = true;
      }
      break;
    case SB_LINEDOWN:
      if (pos < maxTopLine_) {
        ++pos;
        smooth = true;
      }
      break;
    case SB_PAGEUP:
      pos = std::max(pos - pageLines_, 0);
      break;
    case SB_PAGEDOWN:
      pos = pos < maxTopLine_ - pageLines_ ? pos + pageLines_ : maxTopLine_;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      pos = std::clamp(position, 0, maxTopLine_);
      break;
    case SB_TOP:
      pos = 0;
      break;
    case SB_BOTTOM:
      pos = maxTopLine_;
      break;
    default:
      break;
  }
  if (pos == topLine_) return std::nullopt;

  ScrollMove move{smooth, 0};
  if (smooth) move.delta = pos > topLine_ ? -HeightOfLines(topLine_, pos) : HeightOfLines(pos, topLine_);
  topLine_ = pos;
  return move;
}

int EditorLayout::HeightOfLines(int from, int to) const {
  int height = 0;
  for (int i = from; i < std::min(to, static_cast<int>(lines_.size())); ++i) height += lines_[i].height;
  return height;
}

}  // namespace tavlex
