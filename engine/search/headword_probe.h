// HeadwordProbe: one dictionary's sorted headwords as the look-up of a
// selected text asks them, during one look-up.
//
// A folded start of a form (case, width, kana and accents folded as the
// exact mode folds them) is spelled in every way that folds alike, one
// character at a time, keeping only the spellings that some key begins with,
// each with the blocks its keys can lie in. Once those blocks narrow to one,
// every longer spelling is answered from that block alone. Blocks are read
// once per look-up and their keys alone decoded (BlockKeys); a block is
// decoded in full only where a hit lies, and hits hold it (EntryRef) for as
// long as they live.
// The blocks read are kept in a ProbeBlocks that may outlive the probe.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/block_cache.h"
#include "engine/block_reader.h"
#include "engine/dictionary.h"
#include "engine/search/probe_blocks.h"
#include "engine/text/text_folding.h"

namespace tavlex {

class HeadwordProbe {
 public:
  struct Spelling {
    std::u16string text;
    Dictionary::BlockSpan blocks;  // where the keys that begin with text lie
  };
  using Spellings = std::vector<Spelling>;

  // Where a key lies: index entry, then record.
  struct Position {
    int32_t entry = 0;
    uint32_t record = 0;
    auto operator<=>(const Position&) const = default;
  };

  // blocks: where the blocks of this dictionary are kept; outlives the probe.
  HeadwordProbe(const Dictionary& dictionary, FoldOptions options, ProbeBlocks& blocks);
  HeadwordProbe(const HeadwordProbe&) = delete;
  HeadwordProbe& operator=(const HeadwordProbe&) = delete;

  const Dictionary& dictionary() const { return dictionary_; }
  const FoldOptions& options() const { return options_; }

  // The empty spelling, which every key begins with.
  Spellings Root() const;
  // The spellings of parent followed by a spelling of the folded character
  // that some key begins with.
  Spellings Extend(const Spellings& parent, char32_t folded);
  // The keys equal to one of the spellings whose folded form is `folded`, in dictionary order.
  std::vector<Position> Equal(const Spellings& spellings, const std::u32string& folded);
  // The entry at a position that Equal gave, decoded in full.
  EntryRef EntryAt(Position position);

 private:
  // The keys, or the full block, of index entry `entry`, read once.
  KeysRef Keys(int32_t entry);
  BlockRef FullBlock(int32_t entry);
  bool AnyKeyBegins(int32_t entry, const std::u16string& text);

  const Dictionary& dictionary_;
  const FoldOptions options_;
  const BlockReader reader_;  // held for the look-up; without its file, blocks have no entries
  ProbeBlocks& blocks_;
};

}  // namespace tavlex
