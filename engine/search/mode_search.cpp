#include "engine/search/mode_search.h"

#include <algorithm>

#include "engine/dictionary.h"
#include "engine/index/text_index.h"
#include "engine/search/block_verifier.h"
#include "engine/search/headword_runs.h"

namespace tavlex {
namespace {

bool TakesSortedHeadwords(const SearchRequest& request, const EntryMatcher& matcher) {
  return (request.mode == SearchMode::kExact || request.mode == SearchMode::kPrefix) &&
         !matcher.pattern()->literalHead().empty();
}

// The dictionary's own prefix search, its results marked where the query is.
ModeResults PrefixSearch(Dictionary& dictionary, const std::u16string& query, bool countAll) {
  ModeResults results;
  results.route = SearchRoute::kPrefixSearch;
  dictionary.Search(query);
  const auto length = static_cast<uint32_t>(query.size());
  for (const EntryRef& entry : dictionary.results()) {
    SearchHit hit{entry, {}};
    if (length > 0) hit.matches.push_back({SearchField::kHeadword, 0, length});
    results.hits.push_back(std::move(hit));
  }
  if (countAll) results.total = CountPrefixRun(dictionary, query);
  return results;
}

// The count of hits that the index records for the matcher's query, where it
// records one: a gram's counts, or its words' postings; a damaged page is
// noted in results.
std::optional<uint64_t> CountInIndex(const TextIndex& index, const EntryMatcher& matcher,
                                     ModeResults& results) {
  if (const std::optional<EntryMatcher::IndexCount> by = matcher.CountedByIndex()) {
    const std::optional<GramCounts> counts = index.Counts(by->gram);
    results.indexDamaged = !counts;
    if (!counts) return std::nullopt;
    const uint32_t widest = by->headwordsOnly ? counts->headwordEntries : counts->entries;
    const uint32_t narrowest = by->headwordsOnly ? counts->narrowHeadwordEntries : counts->narrowEntries;
    using Folding = EntryMatcher::IndexCount::Folding;
    if (by->folding == Folding::kWidest) return widest;
    if (by->folding == Folding::kNarrowest || widest == narrowest) return narrowest;
  }
  const std::optional<EntryMatcher::WordCount> words = matcher.CountedByWords();
  if (!words || (words->foldsAccents && !index.accentsKeepWords())) return std::nullopt;
  const std::optional<uint64_t> counted = index.CountHoldingWords(words->terms);
  results.indexDamaged = !counted;
  return counted;
}

// The routes other than the plain prefix search. They read the dictionary
// only through its thread-safe operations.
ModeResults SearchRoutes(const Dictionary& dictionary, const SearchRequest& request, EntryMatcher& matcher,
                         const TextIndex* index, const SearchScope& scope) {
  const bool headwordMode = request.mode != SearchMode::kFullText;
  ModeResults results;
  VerifiedHits verified;
  if (headwordMode && TakesSortedHeadwords(request, matcher)) {
    results.route = SearchRoute::kSortedIndex;
    verified = SearchSortedHeadwords(dictionary, matcher, scope);
  } else {
    // Where the index knows the count, only the first hits are verified.
    std::optional<uint64_t> counted =
        index && scope.countAll ? CountInIndex(*index, matcher, results) : std::nullopt;
    if (counted && scope.limit == 0) {
      results.route = SearchRoute::kTextIndex;
      results.total = counted;
      return results;
    }
    std::optional<std::vector<uint32_t>> blocks;
    if (index && !results.indexDamaged) {
      blocks = index->Candidates(matcher.RequiredGrams());
      results.indexDamaged = !blocks;
      // An index is checked against the dictionary it was built from; this only guards the reads.
      const auto count = static_cast<uint32_t>(dictionary.indexEntryCount());
      if (blocks) std::erase_if(*blocks, [count](uint32_t b) { return b >= count; });
    }
    results.route = blocks ? SearchRoute::kTextIndex : SearchRoute::kScan;
    if (!blocks) {
      counted.reset();
      blocks.emplace(static_cast<size_t>(dictionary.indexEntryCount()));
      for (uint32_t b = 0; b < blocks->size(); ++b) (*blocks)[b] = b;
    }
    SearchScope verifying = scope;
    verifying.countAll = scope.countAll && !counted;
    verified = VerifyBlocks(dictionary, *blocks, matcher, verifying, headwordMode);
    if (counted) verified.total = counted;
  }
  results.hits = std::move(verified.hits);
  results.total = verified.total;
  return results;
}

}  // namespace

bool NeedsTextIndex(const SearchRequest& request) {
  if (request.mode == SearchMode::kFullText) return true;
  const EntryMatcher matcher(request, false);
  return !IsPlainPrefixSearch(request) && !TakesSortedHeadwords(request, matcher);
}

ModeResults SearchDictionary(Dictionary& dictionary, const SearchRequest& request, const TextIndex* index,
                             bool countAll) {
  if (IsPlainPrefixSearch(request)) return PrefixSearch(dictionary, request.text, countAll);
  EntryMatcher matcher(request, dictionary.settings().accent);
  const SearchScope scope{ShownLimit(dictionary.settings()), countAll, nullptr};
  return SearchRoutes(dictionary, request, matcher, index, scope);
}

std::optional<uint64_t> CountHits(const Dictionary& dictionary, const SearchRequest& request, bool accents,
                                  const TextIndex* index, const std::atomic<bool>* cancel) {
  if (IsPlainPrefixSearch(request)) return CountPrefixRun(dictionary, request.text, cancel);
  EntryMatcher matcher(request, accents);
  return SearchRoutes(dictionary, request, matcher, index, SearchScope{0, true, cancel}).total;
}

}  // namespace tavlex
