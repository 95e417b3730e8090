#include "engine/search/headword_probe.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "engine/text/text.h"

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

BlockRef HeadwordProbe::Block(int32_t entry, bool headwordsOnly) {
  if (BlockRef kept = blocks_.Find(entry, headwordsOnly)) return kept;
  auto block = std::make_shared<CachedBlock>();
  block->number = dictionary_.BlockOfIndexEntry(entry);
  block->headwordsOnly = headwordsOnly;
  reader_.Read(block->number, headwordsOnly, block->entries);
  blocks_.Keep(entry, block);
  return block;
}

bool HeadwordProbe::AnyKeyBegins(int32_t entry, const std::u16string& text) {
  const BlockRef block = Block(entry, true);
  return std::any_of(block->entries.begin(), block->entries.end(),
                     [&](const Entry& e) { return BeginsWith(e.key, text); });
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
      const BlockRef block = Block(entry, true);
      for (uint32_t record = 0; record < block->entries.size(); ++record) {
        const std::u16string& key = block->entries[record].key;
        if (key == spelling.text) {
          inRun = true;
          if (FoldedChars(key, options_) == folded) found.push_back({entry, record});
        } else if (inRun || BeginsWith(key, spelling.text)) {
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
  const BlockRef block = Block(position.entry, false);
  // A file that changed under the look-up may hold fewer records now.
  if (position.record >= block->entries.size()) return nullptr;
  return RefTo(block, block->entries[position.record]);
}

}  // namespace tavlex
