#include "engine/search/block_verifier.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "engine/dictionary.h"

namespace tavlex {
namespace {

// Blocks handed to a thread at a time. The first chunks are small, since the
// first hits are often in the first blocks and work past them is wasted; the
// later ones large enough to keep the bookkeeping rare.
constexpr size_t kFirstChunkBlocks = 4;
constexpr size_t kLargestChunkBlocks = 32;

// Where each chunk begins, and the end.
std::vector<size_t> ChunkStarts(size_t blocks) {
  std::vector<size_t> starts;
  for (size_t start = 0, size = kFirstChunkBlocks; start < blocks;
       size = std::min(size * 2, kLargestChunkBlocks)) {
    starts.push_back(start);
    start += size;
  }
  starts.push_back(blocks);
  return starts;
}

struct ChunkResult {
  std::vector<SearchHit> hits;
  uint64_t count = 0;
  bool whole = true;  // every block of the chunk was looked at
  bool done = false;
};

// The chunks of one verification, claimed by the threads in order.
class ChunkQueue {
 public:
  ChunkQueue(size_t chunks, size_t limit, bool countAll, const std::atomic<bool>* cancel)
      : results_(chunks), limit_(limit), countAll_(countAll), cancel_(cancel) {}

  // The next chunk to verify and whether its hits are still wanted; none when done.
  std::optional<std::pair<size_t, bool>> Claim() {
    if (stop_ || (cancel_ && *cancel_)) return std::nullopt;
    const size_t chunk = next_++;
    if (chunk >= results_.size()) return std::nullopt;
    return std::pair{chunk, chunk < recordBelow_.load()};
  }

  void Finish(size_t chunk, ChunkResult result) {
    const std::lock_guard lock(mutex_);
    result.done = true;
    results_[chunk] = std::move(result);
    while (leading_ < results_.size() && results_[leading_].done) leadingHits_ += results_[leading_++].count;
    if (leadingHits_ >= limit_) {
      // The first hits lie in the leading chunks: later ones only count, if anything.
      recordBelow_ = std::min(recordBelow_.load(), leading_);
      if (!countAll_) stop_ = true;
    }
  }

  VerifiedHits Collect(size_t limit) {
    VerifiedHits verified;
    uint64_t total = 0;
    bool complete = true;
    for (ChunkResult& result : results_) {
      complete = complete && result.done && result.whole;
      total += result.count;
      for (SearchHit& hit : result.hits) {
        if (verified.hits.size() < limit) verified.hits.push_back(std::move(hit));
      }
    }
    if (complete) verified.total = total;
    return verified;
  }

 private:
  std::vector<ChunkResult> results_;
  size_t limit_;
  bool countAll_;
  const std::atomic<bool>* cancel_;
  std::mutex mutex_;
  size_t leading_ = 0;  // chunks done from the first on
  uint64_t leadingHits_ = 0;
  std::atomic<size_t> next_ = 0;
  std::atomic<size_t> recordBelow_ = SIZE_MAX;
  std::atomic<bool> stop_ = false;
};

// What every thread of one verification reads and matches.
struct Verification {
  const Dictionary& dictionary;
  std::span<const uint32_t> blocks;
  std::vector<size_t> starts;  // of the chunks, and the end
  const EntryMatcher& matcher;
  size_t limit;
  bool countAll;
  bool headwordsOnly;
};

void VerifyChunks(const Verification& work, ChunkQueue& queue) {
  const Dictionary& dictionary = work.dictionary;
  const size_t limit = work.limit;
  // A matcher keeps its scratch space: each thread has its own.
  EntryMatcher matcher = work.matcher;
  // One handle for all the blocks this thread reads; without it, no block has entries.
  const BlockReader reader(dictionary);
  std::vector<Entry> scratch;
  std::vector<FieldMatch> matches;
  while (const auto claim = queue.Claim()) {
    const auto [chunk, record] = *claim;
    ChunkResult result;
    for (size_t i = work.starts[chunk]; i < work.starts[chunk + 1]; ++i) {
      // A chunk that has its first `limit` hits needs no more blocks, unless counting.
      if (!work.countAll && result.hits.size() >= limit) {
        result.whole = false;
        break;
      }
      const uint32_t number = dictionary.BlockOfIndexEntry(static_cast<int32_t>(work.blocks[i]));
      // Keys decode faster than whole entries: where they are all a match
      // needs, blocks are read in full only when they hold a hit.
      if (!record || work.headwordsOnly) {
        scratch.clear();
        reader.Read(number, work.headwordsOnly, scratch);
        uint64_t hits = 0;
        for (const Entry& entry : scratch) hits += matcher.Matches(entry, nullptr);
        if (!record || hits == 0) {
          result.count += hits;
          continue;
        }
      }
      auto block = std::make_shared<CachedBlock>();
      block->number = number;
      reader.Read(number, false, block->entries);
      for (const Entry& entry : block->entries) {
        const bool wanted = result.hits.size() < limit;
        matches.clear();
        if (!matcher.Matches(entry, wanted ? &matches : nullptr)) continue;
        ++result.count;
        if (wanted) result.hits.push_back({RefTo(block, entry), matches});
      }
    }
    queue.Finish(chunk, std::move(result));
  }
}

}  // namespace

VerifiedHits VerifyBlocks(const Dictionary& dictionary, std::span<const uint32_t> blocks,
                          const EntryMatcher& matcher, const SearchScope& scope, bool headwordsOnly) {
  const Verification work{dictionary,     blocks,       ChunkStarts(blocks.size()), matcher, scope.limit,
                          scope.countAll, headwordsOnly};
  const size_t chunks = work.starts.size() - 1;
  ChunkQueue queue(chunks, scope.limit, scope.countAll, scope.cancel);
  // A few blocks are read sooner than a thread is started.
  const size_t cores =
      blocks.size() > 2 * kLargestChunkBlocks ? std::max(1u, std::thread::hardware_concurrency()) : 1;
  const size_t helpers = std::min(cores, chunks) - (chunks > 0);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < helpers; ++t) {
    threads.emplace_back(VerifyChunks, std::cref(work), std::ref(queue));
  }
  VerifyChunks(work, queue);
  for (std::thread& thread : threads) thread.join();
  // The helpers decoded their blocks in heaps of their own, whose freed pages
  // the allocator would keep resident for the rest of the run (more heaps,
  // and more of them resident, with every search of this size). Handing them
  // back costs little beside a verification this large.
  if (!threads.empty()) ::malloc_trim(0);
  return queue.Collect(scope.limit);
}

}  // namespace tavlex
