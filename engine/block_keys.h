// BlockKeys: the keys of one data block's records decoded alone, one after
// another in one string, for the look-ups that only compare keys (the
// selected-text look-up's probes): a block costs two allocations instead of
// an entry and a string for each of its records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavlex {

struct BlockKeys {
  std::u16string text;         // every key, one after another
  std::vector<uint32_t> ends;  // where key i ends in text; it begins where key i - 1 ends

  size_t size() const { return ends.size(); }
  std::u16string_view Key(size_t i) const {
    const uint32_t begin = i == 0 ? 0 : ends[i - 1];
    return std::u16string_view(text).substr(begin, ends[i] - begin);
  }
  // Ends the key appended to text since the last one; a key with a display
  // form (KEY TAB FORM) keeps KEY, as Entry::key does.
  void EndKey();
};

}  // namespace tavlex
