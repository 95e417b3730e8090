#include "engine/search/headword_probe.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace tavlex {
namespace {

// Spellings of one folded character, worked out once per thread: the
// spellings of a start are made from them for every dictionary and look-up.
const std::vector<std::u16string>& FormsOf(char32_t folded, FoldOptions options) {
  constexpr size_t kMostKept = 4096;  // a bound however many characters a session meets
  thread_local std::unordered_map<uint64_t, std::vector<std::u16string>> known;
  const uint64_t key = uint64_t{folded} << 2 | uint64_t{options.kana} << 1 | uint64_t{options.accents};
  const auto it = known.find(key);
  if (it != known.end()) return it->second;
  if (known.size() >= kMostKept) known.clear();
  return known.emplace(key, UnfoldedForms(folded, options)).first->second;
}

}  // namespace

HeadwordProbe::HeadwordProbe(const Dictionary& dictionary, FoldOptions options, ProbeBlocks& blocks)
    : dictionary_(dictionary), options_(options), reader_(dictionary), blocks_(blocks) {}

HeadwordProbe::Spellings HeadwordProbe::Root() const {
  if (dictionary_.indexEntryCount() == 0) return {};
  return {{u"", dictionary_.AllBlocks()}};
}

KeysRef HeadwordProbe::Keys(int32_t entry) {
  if (KeysRef kept = blocks_.FindKeys(entry)) return kept;
  auto keys = std::make_shared<BlockKeys>();
  reader_.ReadKeys(dictionary_.BlockOfIndexEntry(entry), *keys);
  blocks_.KeepKeys(entry, keys);
  return keys;
}

BlockRef HeadwordProbe::FullBlock(int32_t entry) {
  if (BlockRef kept = blocks_.FindFull(entry)) return kept;
  auto block = std::make_shared<CachedBlock>();
  block->number = dictionary_.BlockOfIndexEntry(entry);
  reader_.Read(block->number, false, block->entries);
  blocks_.KeepFull(entry, block);
  return block;
}

bool HeadwordProbe::AnyKeyBegins(int32_t entry, const std::u16string& text) {
  const KeysRef keys = Keys(entry);
  if (dictionary_.layout().charset == Charset::kBocu1) {
    // Sorted as their UTF-16 units are: the keys that begin with text follow
    // the last key that sorts before it.
    size_t lo = 0;
    size_t hi = keys->size();
    while (lo < hi) {
      const size_t mid = lo + (hi - lo) / 2;
      if (keys->Key(mid) < text) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    return lo < keys->size() && keys->Key(lo).starts_with(text);
  }
  // Sorted as their code page's bytes are, which UTF-16 does not follow.
  for (size_t i = 0; i < keys->size(); ++i) {
    if (keys->Key(i).starts_with(text)) return true;
  }
  return false;
}

HeadwordProbe::Spellings HeadwordProbe::Extend(const Spellings& parent, char32_t folded) {
  Spellings next;
  for (const Spelling& spelling : parent) {
    for (const std::u16string& form : FormsOf(folded, options_)) {
      std::u16string text = spelling.text + form;
      Dictionary::BlockSpan blocks = spelling.blocks;
      // Within one block, the block answers; over several, the index narrows
      // them first, and a span of more than one block is known to hold a key.
      if (blocks.first != blocks.last) blocks = dictionary_.PrefixBlocks(text, blocks);
      if (blocks.last < blocks.first) continue;
      if (blocks.first == blocks.last && !AnyKeyBegins(blocks.first, text)) continue;
      next.push_back({std::move(text), blocks});
    }
  }
  return next;
}

std::vector<HeadwordProbe::Position> HeadwordProbe::Equal(const Spellings& spellings,
                                                          const std::u32string& folded) {
  std::vector<Position> found;
  for (const Spelling& spelling : spellings) {
    // Keys equal to the spelling come first in the run of keys that begin with it.
    bool inRun = false;
    bool done = false;
    for (int32_t entry = spelling.blocks.first; entry <= spelling.blocks.last && !done; ++entry) {
      const KeysRef keys = Keys(entry);
      for (uint32_t record = 0; record < keys->size(); ++record) {
        const std::u16string_view key = keys->Key(record);
        if (key == spelling.text) {
          inRun = true;
          if (FoldedChars(key, options_) == folded) found.push_back({entry, record});
        } else if (inRun || key.starts_with(spelling.text)) {
          done = true;
          break;
        }
      }
    }
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

EntryRef HeadwordProbe::EntryAt(Position position) {
  const BlockRef block = FullBlock(position.entry);
  // A file that changed under the look-up may hold fewer records now.
  if (position.record >= block->entries.size()) return nullptr;
  return RefTo(block, block->entries[position.record]);
}

}  // namespace tavlex
