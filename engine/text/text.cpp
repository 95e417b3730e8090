#include "engine/text/text.h"

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

}  // namespace tavlex
