// ScanMemory: what the look-ups of selected texts in one set keep between
// them, for each dictionary: the blocks they read (ProbeBlocks), the
// spellings of every folded start they asked about and the keys equal to
// every folded form they looked up. All are facts of the dictionary's file
// under one folding, so a later look-up of a text around the same words (the
// words of a page come back: the, of, his, の, する) finds them made.
// Bounded: past kStartsKept starts a dictionary's starts and forms are
// forgotten at the next look-up; blocks go least recently used first. With
// these bounds nine dictionaries of a million entries keep about 14 MiB
// (bench/scan_bench), and an English look-up takes less than half the time it
// takes afresh.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/dictionary.h"
#include "engine/search/headword_probe.h"
#include "engine/search/probe_blocks.h"
#include "engine/text/text_folding.h"

namespace tavlex {

struct ProbeMemory {
  static constexpr size_t kBlocksKept = 128;

  explicit ProbeMemory(FoldOptions folding) : options(folding), blocks(kBlocksKept) {}

  const FoldOptions options;
  ProbeBlocks blocks;
  std::unordered_map<std::u32string, HeadwordProbe::Spellings> spellings;          // by folded start
  std::unordered_map<std::u32string, std::vector<HeadwordProbe::Position>> equal;  // by folded form
};

class ScanMemory {
 public:
  static constexpr size_t kStartsKept = 4000;

  // The memory of a dictionary's look-ups with this folding. A dictionary
  // closed, opened anew or folded otherwise (the kana option, its accent
  // setting) starts afresh.
  ProbeMemory& Of(const Dictionary& dictionary, FoldOptions options);

 private:
  struct Kept {
    std::weak_ptr<const Dictionary> dictionary;
    std::unique_ptr<ProbeMemory> memory;
  };
  std::vector<Kept> kept_;
};

}  // namespace tavlex
