#include "engine/search/probe_blocks.h"

#include <utility>

namespace tavlex {

BlockRef ProbeBlocks::Find(int32_t entry, bool headwordsOnly) {
  const auto it = byEntry_.find(entry);
  if (it == byEntry_.end() || (!headwordsOnly && it->second->block->headwordsOnly)) return nullptr;
  order_.splice(order_.begin(), order_, it->second);
  return it->second->block;
}

void ProbeBlocks::Keep(int32_t entry, BlockRef block) {
  if (const auto it = byEntry_.find(entry); it != byEntry_.end()) {
    order_.erase(it->second);
    byEntry_.erase(it);
  }
  order_.push_front({entry, std::move(block)});
  byEntry_[entry] = order_.begin();
  while (order_.size() > kept_) {
    byEntry_.erase(order_.back().entry);
    order_.pop_back();
  }
}

}  // namespace tavlex
