// TextIndexWriter: gathers the postings of a build, the grams' and the
// words', and lays out the index file (engine/index/index_format.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/index/index_format.h"
#include "engine/index/word_table.h"

namespace tavlex {

class TextIndexWriter {
 public:
  TextIndexWriter(uint32_t blockCount, uint32_t blocksPerUnit);

  // Notes that unit holds gram, in entries the counts tell that no earlier
  // call told; units come in ascending order.
  void Add(uint32_t unit, std::span<const std::pair<Gram, GramCounts>> grams);
  // The words of the entries, noted by the caller.
  WordTable& words() { return words_; }
  // The file's bytes, for a dictionary of entryCount entries; the writer is empty afterwards.
  std::string Finish(const IndexStamp& stamp, uint32_t entryCount);

 private:
  // The units of one gram as a list (engine/index/posting_list.h) while it grows.
  struct Growing {
    Gram gram = 0;
    std::string gaps;
    uint32_t count = 0;
    uint32_t next = 0;  // the least the next unit can be
    GramCounts counts;
  };

  // The posting of gram, found in an open-addressing table: a build looks a
  // gram up for every place it occurs, and a node-based map is several times
  // slower at that.
  Growing& Find(Gram gram);
  size_t SlotOf(Gram gram) const;

  uint32_t blockCount_;
  uint32_t blocksPerUnit_;
  std::vector<Growing> postings_;
  std::vector<uint32_t> slots_;  // posting number + 1, or 0 for a free slot; a power of two long
  WordTable words_;
};

}  // namespace tavlex
