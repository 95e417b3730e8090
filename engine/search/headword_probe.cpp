#include "engine/search/headword_probe.h"

#include <algorithm>
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

HeadwordProbe::HeadwordProbe(const Dictionary& dictionary, FoldOptions options)
    : dictionary_(dictionary),
      options_(options),
      file_(dictionary.OpenFile()),
      fileSize_(file_ ? file_->Size() : 0) {}

HeadwordProbe::Spellings HeadwordProbe::Root() const {
  if (dictionary_.indexEntryCount() == 0) return {};
  return {{u"", {0, dictionary_.indexEntryCount() - 1}}};
}

const std::vector<Entry>& HeadwordProbe::Keys(int32_t entry) {
  if (const auto full = full_.find(entry); full != full_.end()) return full->second->entries;
  BlockRef& slot = headwords_[entry];
  if (!slot) {
    auto block = std::make_shared<CachedBlock>();
    block->number = dictionary_.BlockOfIndexEntry(entry);
    block->headwordsOnly = true;
    if (file_) dictionary_.ReadBlock(*file_, fileSize_, block->number, true, block->entries);
    slot = std::move(block);
  }
  return slot->entries;
}

bool HeadwordProbe::AnyKeyBegins(int32_t entry, const std::u16string& text) {
  const std::vector<Entry>& keys = Keys(entry);
  return std::any_of(keys.begin(), keys.end(), [&](const Entry& e) { return BeginsWith(e.key, text); });
}

HeadwordProbe::Spellings HeadwordProbe::Extend(const Spellings& parent, char32_t folded) {
  Spellings next;
  for (const Spelling& spelling : parent) {
    for (const std::u16string& form : FormsOf(folded, options_)) {
      std::u16string text = spelling.text + form;
      Dictionary::BlockSpan blocks = spelling.blocks;
      // Within one block, the block answers; over several, the index narrows
      // them first, and a span of more than one block is known to hold a key.
      if (blocks.first != blocks.last) blocks = dictionary_.PrefixBlocks(text);
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
      const std::vector<Entry>& keys = Keys(entry);
      for (uint32_t record = 0; record < keys.size(); ++record) {
        const std::u16string& key = keys[record].key;
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
  BlockRef& slot = full_[position.entry];
  if (!slot) {
    auto block = std::make_shared<CachedBlock>();
    block->number = dictionary_.BlockOfIndexEntry(position.entry);
    if (file_) dictionary_.ReadBlock(*file_, fileSize_, block->number, false, block->entries);
    slot = std::move(block);
    headwords_.erase(position.entry);
  }
  // A file that changed under the look-up may hold fewer records now.
  if (position.record >= slot->entries.size()) return nullptr;
  return RefTo(slot, slot->entries[position.record]);
}

}  // namespace tavlex
