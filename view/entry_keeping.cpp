#include "view/entry_keeping.h"

#include <algorithm>

namespace tavlex {

std::optional<size_t> EntryAtParagraph(std::span<const size_t> firstParagraphs, size_t paragraph) {
  const auto after = std::upper_bound(firstParagraphs.begin(), firstParagraphs.end(), paragraph);
  if (after == firstParagraphs.begin()) return std::nullopt;
  return static_cast<size_t>(after - firstParagraphs.begin() - 1);
}

}  // namespace tavlex
