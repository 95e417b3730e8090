#include "ui/text_selection.h"

#include <unicode/ubrk.h>

#include <algorithm>
#include <memory>

namespace tavlex {

std::pair<int, int> WordAround(QStringView text, int offset) {
  const int length = static_cast<int>(text.size());
  if (length == 0) return {0, 0};
  const int at = std::clamp(offset, 0, length - 1);
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UBreakIterator, decltype(&ubrk_close)> words(
      ubrk_open(UBRK_WORD, "", reinterpret_cast<const UChar*>(text.utf16()), length, &status), ubrk_close);
  // Without ICU's data: the character alone.
  if (U_FAILURE(status)) return {at, at + 1};
  const int end = ubrk_following(words.get(), at);
  const int begin = ubrk_previous(words.get());
  if (end == UBRK_DONE || begin == UBRK_DONE) return {at, at + 1};
  return {begin, end};
}

void TextSelection::SelectWord(const std::vector<Paragraph>& paragraphs, TextPlace place) {
  if (place.paragraph < 0 || place.paragraph >= static_cast<int>(paragraphs.size())) return;
  const auto [begin, end] = WordAround(paragraphs[place.paragraph].text, place.offset);
  anchor_ = {place.paragraph, begin};
  caret_ = {place.paragraph, end};
  word_ = true;
}

std::optional<MarkRange> TextSelection::OnParagraph(int paragraph, int length) const {
  const TextPlace from = begin();
  const TextPlace to = end();
  if (from == to || paragraph < from.paragraph || paragraph > to.paragraph) return std::nullopt;
  const int first = paragraph == from.paragraph ? std::clamp(from.offset, 0, length) : 0;
  const int last = paragraph == to.paragraph ? std::clamp(to.offset, 0, length) : length;
  if (first >= last) return std::nullopt;
  return MarkRange{first, last};
}

QString TextSelection::Text(const std::vector<Paragraph>& paragraphs) const {
  const int count = static_cast<int>(paragraphs.size());
  const TextPlace from = begin();
  const TextPlace to = end();
  if (from == to) return QString();
  QString text;
  for (int p = std::max(from.paragraph, 0); p <= std::min(to.paragraph, count - 1); ++p) {
    if (p > from.paragraph) text += u'\n';
    const int length = static_cast<int>(paragraphs[p].text.size());
    if (const std::optional<MarkRange> part = OnParagraph(p, length))
      text += QStringView(paragraphs[p].text).sliced(part->begin, part->end - part->begin);
  }
  return text;
}

QString TextSelection::LookUpText(const std::vector<Paragraph>& paragraphs) const {
  if (!word_ || empty() || anchor_.paragraph >= static_cast<int>(paragraphs.size())) return Text(paragraphs);
  const QString& text = paragraphs[anchor_.paragraph].text;
  return text.sliced(std::clamp(anchor_.offset, 0, static_cast<int>(text.size())));
}

}  // namespace tavlex
