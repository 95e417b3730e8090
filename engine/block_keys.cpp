#include "engine/block_keys.h"

namespace tavlex {

void BlockKeys::EndKey() {
  const size_t begin = ends.empty() ? 0 : ends.back();
  const size_t tab = text.find(u'\t', begin);
  if (tab != std::u16string::npos) {
    // The first token between tabs, leading tabs skipped (NextToken's rule).
    const size_t start = text.find_first_not_of(u'\t', begin);
    const size_t end = start == std::u16string::npos ? begin : text.find(u'\t', start);
    text.erase(std::min(end, text.size()));
    if (start != std::u16string::npos) text.erase(begin, start - begin);
  }
  ends.push_back(static_cast<uint32_t>(text.size()));
}

}  // namespace tavlex
