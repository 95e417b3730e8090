#include "engine/search/headword_runs.h"

#include <algorithm>
#include <unordered_map>

#include "engine/dictionary.h"
#include "engine/text/text.h"
#include "engine/text/text_folding.h"

namespace tavlex {
namespace {

constexpr size_t kMostKept = 64;

// Blocks read during one search, by index entry number, decoded in full so
// that hits can refer to them.
class BlockMemo {
 public:
  explicit BlockMemo(const Dictionary& dictionary) : dictionary_(dictionary), reader_(dictionary) {}

  BlockRef Block(int32_t entry) {
    // A long run is read once, from start to end: what is behind it is not
    // needed again (hits hold their own blocks).
    if (blocks_.size() >= kMostKept && !blocks_.contains(entry)) blocks_.clear();
    BlockRef& slot = blocks_[entry];
    if (!slot) {
      auto block = std::make_shared<CachedBlock>();
      block->number = dictionary_.BlockOfIndexEntry(entry);
      reader_.Read(block->number, false, block->entries);
      slot = std::move(block);
    }
    return slot;
  }

  // Some key begins with prefix: the first such key lies in the block the
  // binary search finds or in the next one.
  bool AnyKeyBegins(const std::u16string& prefix) {
    const int32_t start = dictionary_.FindIndexEntry(prefix);
    for (int32_t i = start; i <= start + 1 && i < dictionary_.indexEntryCount(); ++i) {
      for (const Entry& entry : Block(i)->entries) {
        if (BeginsWith(entry.key, prefix)) return true;
      }
    }
    return false;
  }

  const Dictionary& dictionary() const { return dictionary_; }

 private:
  const Dictionary& dictionary_;
  const BlockReader reader_;  // held for the search; without its file, blocks have no entries
  std::unordered_map<int32_t, BlockRef> blocks_;
};

// Where a hit lies in the dictionary: index entry, then record.
struct PlacedHit {
  int32_t block;
  size_t record;
  SearchHit hit;
};

// Walks the run of keys that begin with prefix, calling visit(block, record,
// entry) for each, until visit returns false or the run ends.
template <typename Visit>
void WalkRun(BlockMemo& memo, const std::u16string& prefix, Visit visit) {
  const Dictionary& dictionary = memo.dictionary();
  // The binary search finds the last block that begins at or before prefix;
  // equal keys may begin earlier blocks too, and the run with them.
  int32_t start = dictionary.FindIndexEntry(prefix);
  while (start > 0 && start < dictionary.indexEntryCount()) {
    const BlockRef block = memo.Block(start);
    if (block->entries.empty() || !BeginsWith(block->entries.front().key, prefix)) break;
    --start;
  }
  bool seen = false;
  for (int32_t i = start; i < dictionary.indexEntryCount(); ++i) {
    const BlockRef block = memo.Block(i);
    for (size_t r = 0; r < block->entries.size(); ++r) {
      const Entry& entry = block->entries[r];
      if (!BeginsWith(entry.key, prefix)) {
        if (seen) return;
        continue;
      }
      seen = true;
      if (!visit(i, r, block, entry)) return;
    }
    if (!seen && i > start) return;  // the run would have begun in the first two blocks
  }
}

// The spellings of the folded head that some key begins with.
std::vector<std::u16string> LiveSpellings(BlockMemo& memo, const std::u32string& head, FoldOptions options) {
  std::vector<std::u16string> spellings{u""};
  for (const char32_t folded : head) {
    const std::vector<std::u16string> forms = UnfoldedForms(folded, options);
    std::vector<std::u16string> next;
    for (const std::u16string& spelling : spellings) {
      for (const std::u16string& form : forms) {
        if (memo.AnyKeyBegins(spelling + form)) next.push_back(spelling + form);
      }
    }
    spellings = std::move(next);
    if (spellings.empty()) break;
  }
  return spellings;
}

}  // namespace

VerifiedHits SearchSortedHeadwords(const Dictionary& dictionary, EntryMatcher& matcher,
                                   const SearchScope& scope) {
  const size_t limit = scope.limit;
  const bool countAll = scope.countAll;
  const auto cancelled = [&] { return scope.cancel && *scope.cancel; };
  BlockMemo memo(dictionary);
  const std::u32string head = FoldedChars(matcher.pattern()->literalHead(), matcher.options());
  std::vector<PlacedHit> placed;
  uint64_t total = 0;
  std::vector<FieldMatch> matches;
  // The runs of different spellings never overlap: each is read on its own
  // and the hits are put in dictionary order afterwards.
  for (const std::u16string& spelling : LiveSpellings(memo, head, matcher.options())) {
    size_t kept = 0;
    WalkRun(memo, spelling, [&](int32_t block, size_t record, const BlockRef& ref, const Entry& entry) {
      if (cancelled()) return false;
      matches.clear();
      if (!matcher.Matches(entry, &matches)) return true;
      ++total;
      if (kept < limit) {
        placed.push_back({block, record, {RefTo(ref, entry), matches}});
        ++kept;
      }
      return countAll || kept < limit;
    });
  }
  std::sort(placed.begin(), placed.end(), [](const PlacedHit& a, const PlacedHit& b) {
    return a.block != b.block ? a.block < b.block : a.record < b.record;
  });
  VerifiedHits verified;
  for (size_t i = 0; i < placed.size() && i < limit; ++i) verified.hits.push_back(std::move(placed[i].hit));
  if (countAll && !cancelled()) verified.total = total;
  return verified;
}

std::optional<uint64_t> CountPrefixRun(const Dictionary& dictionary, const std::u16string& prefix,
                                       const std::atomic<bool>* cancel) {
  BlockMemo memo(dictionary);
  uint64_t count = 0;
  WalkRun(memo, prefix, [&](int32_t, size_t, const BlockRef&, const Entry&) {
    ++count;
    return !cancel || !*cancel;
  });
  if (cancel && *cancel) return std::nullopt;
  return count;
}

}  // namespace tavlex
