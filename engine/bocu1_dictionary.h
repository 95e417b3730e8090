// Bocu1Dictionary: a dictionary whose text is BOCU-1. Headwords may carry a
// display form after a TAB; the index is compared after decoding, by UTF-16 units.
#pragma once

#include "engine/dictionary.h"

namespace tavlex {

class Bocu1Dictionary final : public Dictionary {
 public:
  Bocu1Dictionary(std::u16string path, const DictionaryLayout& layout, DictionaryOwner* owner)
      : Dictionary(std::move(path), layout, owner) {}

  int32_t FindIndexEntry(const std::u16string& query) const override;
  BlockSpan PrefixBlocks(const std::u16string& prefix, BlockSpan within) const override;
  void DecodeBlock(Bytes block, std::vector<Entry>& entries, bool fourByteLengths,
                   bool headwordsOnly) const override;
  void DecodeKeys(Bytes block, bool fourByteLengths, BlockKeys& keys) const override;
};

}  // namespace tavlex
