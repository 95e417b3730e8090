// AnsiDictionary: a dictionary whose text is in code page 932, with the
// pronunciation in code page 1252. The index is compared as code-page bytes.
#pragma once

#include "engine/dictionary.h"

namespace tavlex {

class AnsiDictionary final : public Dictionary {
 public:
  AnsiDictionary(std::u16string path, const DictionaryLayout& layout, DictionaryOwner* owner)
      : Dictionary(std::move(path), layout, owner) {}

  int32_t FindIndexEntry(const std::u16string& query) const override;
  BlockSpan PrefixBlocks(const std::u16string& prefix, BlockSpan within) const override;
  void DecodeBlock(Bytes block, std::vector<Entry>& entries, bool fourByteLengths,
                   bool headwordsOnly) const override;
  void DecodeKeys(Bytes block, bool fourByteLengths, BlockKeys& keys) const override;
};

}  // namespace tavlex
