// The block cache and the prefix searches of a Dictionary.
#include "engine/dictionary.h"
#include "engine/text/text.h"

namespace tavlex {

BlockRef Dictionary::FetchBlock(uint32_t b, bool headwordsOnly) {
  std::optional<BlockReader> reader;
  return FetchBlock(b, headwordsOnly, reader);
}

BlockRef Dictionary::FetchBlock(uint32_t b, bool headwordsOnly, std::optional<BlockReader>& reader) {
  if (BlockRef hit = cache_.Lookup(b, headwordsOnly)) return hit;
  cache_.EvictForMiss(settings_.cacheSize);
  auto block = std::make_shared<CachedBlock>();
  block->number = b;
  block->headwordsOnly = headwordsOnly;
  if (!reader) reader.emplace(*this);
  if (!reader->Read(b, headwordsOnly, block->entries)) return nullptr;
  cache_.AddAtHead(block);
  return block;
}

void Dictionary::SetCacheSize(int32_t n) {
  settings_.cacheSize = n;
  cache_.ShrinkTo(n);
}

bool Dictionary::Search(const std::u16string& query) {
  results_.clear();
  results_.shrink_to_fit();
  const int32_t start = FindIndexEntry(query);
  int32_t collected = 0;
  bool exact = false;
  bool finished = false;
  std::optional<BlockReader> reader;  // the file opened once for the search, at its first block not cached
  // Matches usually begin in the block found; when none is there, the run of
  // matches may begin with the next block, so a second block is always read.
  for (int32_t i = 0; i < settings_.cacheSize && start + i < indexEntryCount(); ++i) {
    const BlockRef block = FetchBlock(BlockOfIndexEntry(start + i), false, reader);
    if (!block) continue;
    bool matchedHere = false;
    for (const Entry& entry : block->entries) {
      if (BeginsWith(entry.key, query)) {
        exact = exact || entry.key == query;
        results_.push_back(RefTo(block, entry));
        matchedHere = true;
        if (static_cast<size_t>(++collected) >= ShownLimit(settings_)) {
          finished = true;
          break;
        }
      } else if (collected > 0) {
        finished = true;  // the run of matching headwords has ended
        break;
      }
    }
    if ((i > 0 && !matchedHere) || finished) break;
  }
  return exact;
}

bool Dictionary::HasPrefix(const std::u16string& text) {
  const int32_t start = FindIndexEntry(text);
  std::optional<BlockReader> reader;
  for (int32_t i = start; i <= start + 1 && i < indexEntryCount(); ++i) {
    const BlockRef block = FetchBlock(BlockOfIndexEntry(i), true, reader);
    if (!block) continue;
    for (const Entry& entry : block->entries) {
      if (BeginsWith(entry.key, text)) return true;
    }
  }
  return false;
}

std::u16string Dictionary::TranslationOf(const std::u16string& word) {
  if (indexEntryCount() == 0) return {};
  const BlockRef block = FetchBlock(BlockOfIndexEntry(FindIndexEntry(word)), false);
  if (!block) return {};
  for (const Entry& entry : block->entries) {
    if (entry.key == word) return entry.translation;
  }
  return {};
}

}  // namespace tavlex
