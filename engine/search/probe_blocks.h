// ProbeBlocks: the blocks of one dictionary that the look-ups of selected
// texts have read, kept for the next look-ups (the words of a page come back:
// the, of, の, する), the least recently used going first past a bound. A
// block is kept as its keys alone (BlockKeys), and in full once a hit lay in
// it. Full blocks are shared: a hit holds its own.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>

#include "engine/block_cache.h"
#include "engine/block_keys.h"

namespace tavlex {

using KeysRef = std::shared_ptr<const BlockKeys>;

class ProbeBlocks {
 public:
  explicit ProbeBlocks(size_t kept) : kept_(kept) {}

  // The keys or the full block of index entry `entry`, when kept.
  KeysRef FindKeys(int32_t entry);
  BlockRef FindFull(int32_t entry);
  void KeepKeys(int32_t entry, KeysRef keys);
  void KeepFull(int32_t entry, BlockRef block);

 private:
  struct Kept {
    int32_t entry;
    KeysRef keys;
    BlockRef full;
  };
  // The entry's place, made the most recent; made when absent, the least recent going past the bound.
  Kept& Use(int32_t entry);
  Kept* Find(int32_t entry);

  const size_t kept_;
  std::list<Kept> order_;  // most recently used first
  std::unordered_map<int32_t, std::list<Kept>::iterator> byEntry_;
};

}  // namespace tavlex
