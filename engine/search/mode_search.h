// Searching one dictionary in any mode: exact, prefix, suffix, substring,
// headword patterns with wildcards, and full text.
//
// Routes, decided by the request:
//   - prefix without wildcards: the dictionary's own Search, unchanged (its
//     block cache, its cacheSize and searchMax limits, ordinal comparison);
//   - exact, and prefix patterns, whose pattern starts with literal text: the
//     sorted headwords, walked for every spelling that folds like that text;
//     never the full-text index, so they never wait for one;
//   - everything else: the blocks that the full-text index names, or every
//     block when no index is at hand (a scan).
// Whatever the route, every hit is an entry decoded and matched; the index
// only narrows the blocks read. The full count of a query that the index
// counts exactly (EntryMatcher::CountedByIndex, CountedByWords) comes from the index alone.
// Apart from the first route, blocks are read with a BlockReader and never
// through the block cache, whose order stays as the prefix search left it.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/block_cache.h"
#include "engine/search/entry_matcher.h"

namespace tavlex {

class Dictionary;
class TextIndex;

enum class SearchRoute {
  kPrefixSearch,  // the dictionary's own prefix search
  kSortedIndex,   // the sorted headwords
  kTextIndex,     // the blocks the full-text index named
  kScan,          // every block: no index was ready (or it turned out damaged)
  kIndexPending,  // nothing searched: the index is not ready, and the caller would neither wait nor scan
};

struct SearchHit {
  EntryRef entry;
  std::vector<FieldMatch> matches;  // by field, in text order
};

struct ModeResults {
  std::vector<SearchHit> hits;    // the first searchMax (at least one), in dictionary order
  std::optional<uint64_t> total;  // every hit, when counted
  SearchRoute route = SearchRoute::kScan;
  bool indexDamaged = false;  // a posting failed its check: the index should be built again
};

// How much of a search's work is wanted.
struct SearchScope {
  size_t limit = 1;                           // hits kept, the first in dictionary order
  bool countAll = false;                      // count every hit, however many blocks that reads
  const std::atomic<bool>* cancel = nullptr;  // set on another thread: stop soon, the total left unknown
};

// True when the request takes the route of the full-text index.
bool NeedsTextIndex(const SearchRequest& request);

// Searches dictionary. index: the dictionary's ready full-text index, or null
// to scan where it would be used. countAll: also count every hit, which reads
// every block the route can find hits in.
ModeResults SearchDictionary(Dictionary& dictionary, const SearchRequest& request, const TextIndex* index,
                             bool countAll);

// Counts every hit of the request and keeps none. It reads the dictionary
// only through its thread-safe operations, so it may run on a worker thread
// while the dictionary is searched on another: a window can show the first
// hits at once and the total when it is known. accents: the dictionary's
// accent setting, read by the caller. None when cancelled.
std::optional<uint64_t> CountHits(const Dictionary& dictionary, const SearchRequest& request, bool accents,
                                  const TextIndex* index, const std::atomic<bool>* cancel = nullptr);

}  // namespace tavlex
