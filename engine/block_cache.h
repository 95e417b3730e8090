// BlockCache: the decoded blocks of one dictionary, most recently used first.
//
// Blocks are shared: the cache holds one reference, and every entry handed out
// in a result list holds another (an EntryRef aliases its block). Evicting a
// block, shrinking the cache or closing the dictionary therefore never leaves
// a result pointing at freed memory; the block goes when its last user does.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "engine/entry.h"

namespace tavlex {

struct CachedBlock {
  uint32_t number = 0;
  bool headwordsOnly = false;  // entries carry key, display and attributes only
  std::vector<Entry> entries;  // in file order
};

using BlockRef = std::shared_ptr<const CachedBlock>;

// An entry that keeps its block alive.
using EntryRef = std::shared_ptr<const Entry>;
inline EntryRef RefTo(const BlockRef& block, const Entry& entry) { return EntryRef(block, &entry); }

// The capacity is the dictionary's "cachesize" setting, passed in by the
// dictionary so that it has one home.
class BlockCache {
 public:
  // The cached block b, moved to the head, when it can serve the request: a
  // full block serves both kinds, a headwords-only one only headwords-only
  // requests. A headwords-only block that cannot serve is moved to the tail,
  // to be evicted next, and none is returned.
  BlockRef Lookup(uint32_t b, bool headwordsOnly);

  // Makes room for a block about to be read: evicts the tail block once the
  // cache holds more than capacity blocks. So a capacity of n keeps n + 1.
  void EvictForMiss(int32_t capacity);

  void AddAtHead(BlockRef block) { blocks_.push_front(std::move(block)); }

  // Evicts from the tail until at most capacity blocks are left.
  void ShrinkTo(int32_t capacity);

  size_t size() const { return blocks_.size(); }
  // Block numbers from the head (most recent) to the tail, for tests and figures.
  std::vector<uint32_t> Order() const;

 private:
  std::list<BlockRef> blocks_;
};

}  // namespace tavlex
