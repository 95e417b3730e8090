// TextIndexWriter: gathers the postings of a build and lays out the index
// file (engine/index/index_format.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/index/index_format.h"

namespace tavlex {

class TextIndexWriter {
 public:
  TextIndexWriter(uint32_t blockCount, uint32_t blocksPerUnit);

  // Notes that entry (numbered through the dictionary) of unit holds gram in
  // one of its fields, however often it is told; units and entries come in
  // ascending order. headword: the field is the entry's key. stable: the
  // field's text folded in the narrowest way holds the gram too.
  void Add(Gram gram, uint32_t unit, uint32_t entry, bool headword, bool stable);
  // The file's bytes; the writer is empty afterwards.
  std::string Finish(const IndexStamp& stamp);

 private:
  // The units of one gram as a list (engine/index/posting_list.h) while it grows.
  struct Growing {
    Gram gram = 0;
    std::string gaps;
    uint32_t count = 0;
    uint32_t next = 0;  // the least the next unit can be
    GramCounts counts;
    uint32_t nextEntry = 0;  // the least the next entry to count can be
    uint32_t nextHeadwordEntry = 0;
  };

  // The posting of gram, found in an open-addressing table: a build looks a
  // gram up for every place it occurs, and a node-based map is several times
  // slower at that.
  Growing& Find(Gram gram);

  uint32_t blockCount_;
  uint32_t blocksPerUnit_;
  std::vector<Growing> postings_;
  std::vector<uint32_t> slots_;  // posting number + 1, or 0 for a free slot; a power of two long
};

}  // namespace tavlex
