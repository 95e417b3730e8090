#include "engine/block_cache.h"

namespace tavlex {

BlockRef BlockCache::Lookup(uint32_t b, bool headwordsOnly) {
  for (auto it = blocks_.begin(); it != blocks_.end(); ++it) {
    if ((*it)->number != b) continue;
    if (headwordsOnly || !(*it)->headwordsOnly) {
      blocks_.splice(blocks_.begin(), blocks_, it);
      return blocks_.front();
    }
    blocks_.splice(blocks_.end(), blocks_, it);
    return nullptr;
  }
  return nullptr;
}

void BlockCache::EvictForMiss(int32_t capacity) {
  // A negative capacity (from a hostile settings file) must not pop an empty list.
  if (!blocks_.empty() && static_cast<int64_t>(blocks_.size()) > capacity) blocks_.pop_back();
}

void BlockCache::ShrinkTo(int32_t capacity) {
  while (!blocks_.empty() && static_cast<int64_t>(blocks_.size()) > capacity) blocks_.pop_back();
}

std::vector<uint32_t> BlockCache::Order() const {
  std::vector<uint32_t> order;
  for (const BlockRef& block : blocks_) order.push_back(block->number);
  return order;
}

}  // namespace tavlex
