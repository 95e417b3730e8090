// BlockGrams: the grams of one block's entries, gathered before they reach
// the index writer, so that the writer, whose table of every gram of the
// dictionary is far larger than the processor's caches, looks each gram up
// once a block rather than once for every place it occurs.
//
// For each gram it counts the entries that hold it in any field and in the
// headword, in the widest folding and in the narrowest (GramCounts).
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/index/index_format.h"
#include "engine/index/text_grams.h"
#include "engine/text/text_folding.h"

namespace tavlex {

class BlockGrams {
 public:
  BlockGrams();

  // Adds the grams of one field of an entry; entries come one after another.
  void AddField(std::u16string_view text, uint32_t entry, bool headword);
  // The field added last, folded in the widest and in the narrowest way.
  const std::u32string& wide() const { return wide_.chars; }
  const std::u32string& narrow() const { return narrow_.chars; }
  // Each gram added since the last Take, once, with its counts; they are forgotten.
  void Take(std::vector<std::pair<Gram, GramCounts>>& grams);

 private:
  struct Slot {
    Gram gram = 0;  // 0: free (no gram is 0)
    GramCounts counts;
    // The last entry counted in each count, in the order of GramCounts.
    uint32_t last[4] = {UINT32_MAX, UINT32_MAX, UINT32_MAX, UINT32_MAX};
  };
  Slot& Find(Gram gram);
  void Grow();

  std::vector<Slot> table_;  // open addressing, a power of two long
  std::vector<uint32_t> used_;
  FoldedText wide_;
  FoldedText narrow_;
  std::vector<Gram> grams_;
  std::vector<uint32_t> places_;
  std::vector<uint32_t> differing_;  // differing_[i]: characters before i that the foldings tell apart
  std::vector<Gram> narrowGrams_;
};

}  // namespace tavlex
