#include "ui/text_places.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace tavlex {
namespace {

QStringView TextOf(const EditorLayout& layout, const DisplayLine& line) {
  return QStringView(layout.paragraphs()[line.paragraph].text).sliced(line.first, line.count);
}

int Width(const EditorLayout& layout, const DisplayLine& line, int count, const TextMeasurer& measurer) {
  const QFont* font = layout.paragraphs()[line.paragraph].font.get();
  return measurer.Extent(font, TextOf(layout, line).first(count)).width();
}

// The boundary of line nearest x, as a place in its paragraph. The end of a
// line that the wrap cut is the start of the next one, where the caret
// would no longer be on this line: its last boundary is before its last
// character.
TextPlace PlaceAtX(const EditorLayout& layout, const DisplayLine& line, int x, const TextMeasurer& measurer) {
  const QStringView text = TextOf(layout, line);
  const bool cut = line.first + line.count < layout.paragraphs()[line.paragraph].text.size();
  const int most = cut ? line.count - 1 : line.count;
  // Halving: lo characters end at or left of x (or lo is 0), hi end right of it.
  int lo = 0;
  int hi = most + 1;
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    if (Width(layout, line, mid, measurer) <= x) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  int count = lo;
  if (lo < most &&
      std::abs(Width(layout, line, lo + 1, measurer) - x) < std::abs(x - Width(layout, line, lo, measurer)))
    count = lo + 1;
  if (count > 0 && count < line.count && text[count].isLowSurrogate() && text[count - 1].isHighSurrogate())
    --count;
  return {line.paragraph, line.first + count};
}

}  // namespace

TextPlace PlaceAtPoint(const EditorLayout& layout, QPoint point, const TextMeasurer& measurer) {
  const std::vector<DisplayLine>& lines = layout.lines();
  if (lines.empty()) return {};
  const int last = static_cast<int>(lines.size()) - 1;
  int line = std::clamp(layout.topLine(), 0, last);
  int top = 0;
  while (point.y() < top && line > 0) top -= lines[--line].height;
  while (point.y() >= top + lines[line].height && line < last) top += lines[line++].height;
  if (point.y() < top) return {lines[0].paragraph, 0};
  if (point.y() >= top + lines[line].height) {
    const int paragraph = lines[last].paragraph;
    return {paragraph, static_cast<int>(layout.paragraphs()[paragraph].text.size())};
  }
  return PlaceAtX(layout, lines[line], point.x(), measurer);
}

TextPlace StepCaret(const EditorLayout& layout, TextPlace place, CaretStep step,
                    const TextMeasurer& measurer) {
  const std::vector<Paragraph>& paragraphs = layout.paragraphs();
  const int count = static_cast<int>(paragraphs.size());
  if (count == 0) return {};
  place.paragraph = std::clamp(place.paragraph, 0, count - 1);
  const QString& text = paragraphs[place.paragraph].text;
  place.offset = std::clamp(place.offset, 0, static_cast<int>(text.size()));
  switch (step) {
    case CaretStep::kLeft:
      if (place.offset == 0) {
        if (place.paragraph == 0) return place;
        return {place.paragraph - 1, static_cast<int>(paragraphs[place.paragraph - 1].text.size())};
      }
      --place.offset;
      if (place.offset > 0 && text[place.offset].isLowSurrogate() && text[place.offset - 1].isHighSurrogate())
        --place.offset;
      return place;
    case CaretStep::kRight:
      if (place.offset == text.size())
        return place.paragraph + 1 < count ? TextPlace{place.paragraph + 1, 0} : place;
      ++place.offset;
      if (place.offset < text.size() && text[place.offset].isLowSurrogate() &&
          text[place.offset - 1].isHighSurrogate())
        ++place.offset;
      return place;
    case CaretStep::kUp:
    case CaretStep::kDown:
    case CaretStep::kLineStart:
    case CaretStep::kLineEnd:
      break;
  }
  const std::vector<DisplayLine>& lines = layout.lines();
  if (lines.empty()) return place;
  const int from = layout.LineShowing(place.paragraph, place.offset);
  if (step == CaretStep::kLineStart) return {lines[from].paragraph, lines[from].first};
  if (step == CaretStep::kLineEnd) {
    return PlaceAtX(layout, lines[from], std::numeric_limits<int>::max(), measurer);
  }
  const int to = step == CaretStep::kUp ? from - 1 : from + 1;
  if (to < 0) return {0, 0};
  if (to >= static_cast<int>(lines.size()))
    return {count - 1, static_cast<int>(paragraphs.back().text.size())};
  const int x = Width(layout, lines[from], place.offset - lines[from].first, measurer);
  return PlaceAtX(layout, lines[to], x, measurer);
}

}  // namespace tavlex
