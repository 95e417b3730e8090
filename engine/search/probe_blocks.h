// ProbeBlocks: the blocks of one dictionary that the look-ups of selected
// texts have read, kept for the next look-ups (the words of a page come back:
// the, of, の, する), the least recently used going first past a bound. A
// block is kept decoded headwords only, or in full once a hit lay in it; a
// full block serves both. Blocks are shared: a hit holds its own.
#pragma once

#include <cstdint>
#include <list>
#include <unordered_map>

#include "engine/block_cache.h"

namespace tavlex {

class ProbeBlocks {
 public:
  explicit ProbeBlocks(size_t kept) : kept_(kept) {}

  // The block of index entry `entry`, when kept in a form that serves.
  BlockRef Find(int32_t entry, bool headwordsOnly);
  void Keep(int32_t entry, BlockRef block);

 private:
  struct Kept {
    int32_t entry;
    BlockRef block;
  };
  const size_t kept_;
  std::list<Kept> order_;  // most recently used first
  std::unordered_map<int32_t, std::list<Kept>::iterator> byEntry_;
};

}  // namespace tavlex
