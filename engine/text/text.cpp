#include "engine/text/text.h"

#include <algorithm>

namespace tavlex {

std::u16string NextToken(std::u16string_view text, std::u16string_view delimiters, int* position) {
  if (*position < 0 || static_cast<size_t>(*position) >= text.size()) {
    *position = -1;
    return {};
  }
  const size_t start = text.find_first_not_of(delimiters, static_cast<size_t>(*position));
  if (start == std::u16string_view::npos) {
    *position = -1;
    return {};
  }
  const size_t end = text.find_first_of(delimiters, start);
  if (end == std::u16string_view::npos) {
    *position = static_cast<int>(text.size());
    return std::u16string(text.substr(start));
  }
  *position = static_cast<int>(end + 1);
  return std::u16string(text.substr(start, end - start));
}

std::u16string StripSearchWord(std::u16string_view text) {
  const size_t first = text.find_first_not_of(kSearchWordStripped);
  if (first == std::u16string_view::npos) return {};
  return std::u16string(text.substr(first, text.find_last_not_of(kSearchWordStripped) - first + 1));
}

std::optional<std::u16string> HalfWidthAscii(std::u16string_view text) {
  constexpr char16_t kFirst = u'\uFF01';
  constexpr char16_t kLast = u'\uFF5E';
  constexpr char16_t kToAscii = kFirst - u'!';
  std::u16string half(text);
  bool changed = false;
  for (char16_t& c : half) {
    if (c >= kFirst && c <= kLast) {
      c = static_cast<char16_t>(c - kToAscii);
      changed = true;
    }
  }
  if (!changed) return std::nullopt;
  std::replace(half.begin(), half.end(), u'\u3000', u' ');
  return half;
}

}  // namespace tavlex
