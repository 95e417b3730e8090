// Reading candidate blocks and matching their entries, spread over the
// processor's cores when there are many blocks. Used by the full-text route
// with the blocks an index names, and by the scan with all of them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/search/entry_matcher.h"
#include "engine/search/mode_search.h"

namespace tavlex {

struct VerifiedHits {
  std::vector<SearchHit> hits;    // the first `limit`, in block order
  std::optional<uint64_t> total;  // known when every block was looked at
};

// blocks: index entry numbers, ascending. Stops once the first scope.limit
// hits are certain, unless counting all. headwordsOnly: the matcher needs
// keys only (blocks holding hits to return are still decoded in full).
VerifiedHits VerifyBlocks(const Dictionary& dictionary, std::span<const uint32_t> blocks,
                          const EntryMatcher& matcher, const SearchScope& scope, bool headwordsOnly);

}  // namespace tavlex
