// The sorted-headword route of the search modes: exact searches and
// patterns anchored at the start whose first characters are literal.
//
// Keys are sorted, so the keys that begin with a given spelling form one run,
// found by the binary search. The pattern's literal start is spelled in every
// way that folds alike (case, width, kana, accents, voicing marks), one
// character at a time, keeping only the spellings that some key begins with;
// the runs of the spellings left are then read and each key matched whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/search/block_verifier.h"
#include "engine/search/entry_matcher.h"

namespace tavlex {

class Dictionary;

// Hits of the matcher's pattern, whose literalHead() must not be empty.
VerifiedHits SearchSortedHeadwords(const Dictionary& dictionary, EntryMatcher& matcher,
                                   const SearchScope& scope);

// The number of keys that begin with prefix, compared as they are stored (the
// prefix search's own rule), over the whole run however long; none when cancelled.
std::optional<uint64_t> CountPrefixRun(const Dictionary& dictionary, const std::u16string& prefix,
                                       const std::atomic<bool>* cancel = nullptr);

}  // namespace tavlex
