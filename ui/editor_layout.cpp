#include "ui/editor_layout.h"

#include <algorithm>
#include <utility>

#include "base/lines.h"
#include "platform/qt_text.h"
#include "ui/scroll_codes.h"

namespace tavlex {
namespace {

// An empty line is as high as a space in its font.
const QString kEmptyLineSample = QStringLiteral(" ");

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
// gets through the paragraph, a character a line.
Fit FitRun(QStringView run, const QFont* font, int clientWidth, const TextMeasurer& measurer) {
  QSize extent = measurer.Extent(font, run);
  const int length = static_cast<int>(run.size());
  if (extent.width() <= clientWidth) return {length, extent.height()};
  // Halving: lo characters are known to fit (or lo is 0), hi are known not to.
  int lo = 0;
  int hi = length;
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
  if (clientWidth <= 0) return;
  // Paragraphs keep their characters across layouts while line indexes do
  // not, so the top line is remembered as a place in its paragraph. An empty
  // top line stays on top too.
  std::optional<DisplayLine> top;
  if (topLine_ < static_cast<int>(lines_.size())) top = lines_[topLine_];

  lines_.clear();
  for (int i = 0; i < static_cast<int>(paragraphs_.size()); ++i) Wrap(i, clientWidth, measurer);

  maxTopLine_ = LastTopLine(pageLines_);
  topLine_ = std::min(top ? LineShowing(top->paragraph, top->first) : 0, maxTopLine_);
}

void EditorLayout::Wrap(int paragraph, int clientWidth, const TextMeasurer& measurer) {
  const Paragraph& p = paragraphs_[paragraph];
  const QStringView text(p.text);
  int first = 0;
  do {
    const QStringView rest = text.sliced(first);
    const Fit fit = rest.isEmpty() ? Fit{0, measurer.Extent(p.font.get(), kEmptyLineSample).height()}
                                   : FitRun(rest, p.font.get(), clientWidth, measurer);
    const int count = WordBreak(rest, fit.count);
    lines_.push_back({paragraph, first, count, fit.height});
    first += count;
  } while (first < text.size());
}

std::vector<PlacedLine> EditorLayout::PlacePage(int clientHeight) {
  std::vector<PlacedLine> placed;
  maxTopLine_ = 0;
  int y = 0;
  for (int i = topLine_; i < static_cast<int>(lines_.size()); ++i) {
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
