#include "engine/search/probe_blocks.h"

#include <utility>

namespace tavlex {

ProbeBlocks::Kept* ProbeBlocks::Find(int32_t entry) {
  const auto it = byEntry_.find(entry);
  if (it == byEntry_.end()) return nullptr;
  order_.splice(order_.begin(), order_, it->second);
  return &*it->second;
}

ProbeBlocks::Kept& ProbeBlocks::Use(int32_t entry) {
  if (Kept* kept = Find(entry)) return *kept;
  order_.push_front({entry, nullptr, nullptr});
  byEntry_[entry] = order_.begin();
  while (order_.size() > kept_) {
    byEntry_.erase(order_.back().entry);
    order_.pop_back();
  }
  return order_.front();
}

KeysRef ProbeBlocks::FindKeys(int32_t entry) {
  const Kept* kept = Find(entry);
  return kept ? kept->keys : nullptr;
}

BlockRef ProbeBlocks::FindFull(int32_t entry) {
  const Kept* kept = Find(entry);
  return kept ? kept->full : nullptr;
}

void ProbeBlocks::KeepKeys(int32_t entry, KeysRef keys) { Use(entry).keys = std::move(keys); }

void ProbeBlocks::KeepFull(int32_t entry, BlockRef block) { Use(entry).full = std::move(block); }

}  // namespace tavlex
