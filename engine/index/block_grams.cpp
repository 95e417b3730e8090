#include "engine/index/block_grams.h"

#include <algorithm>

namespace tavlex {
namespace {

constexpr size_t kFirstSlots = 4096;  // a block of long translations holds a thousand grams or two
constexpr Gram kHashFactor = 0x9E3779B97F4A7C15;  // Fibonacci hashing
constexpr FoldOptions kNarrowestFolding{false, false};

}  // namespace

BlockGrams::BlockGrams() : table_(kFirstSlots) {}

BlockGrams::Slot& BlockGrams::Find(Gram gram) {
  if (used_.size() * 2 >= table_.size()) Grow();
  const size_t mask = table_.size() - 1;
  size_t slot = static_cast<size_t>((gram * kHashFactor) >> 32) & mask;
  while (table_[slot].gram != 0 && table_[slot].gram != gram) slot = (slot + 1) & mask;
  if (table_[slot].gram == 0) {
    table_[slot].gram = gram;
    used_.push_back(static_cast<uint32_t>(slot));
  }
  return table_[slot];
}

void BlockGrams::Grow() {
  std::vector<Slot> old(table_.size() * 2);
  old.swap(table_);
  std::vector<uint32_t> used;
  used.swap(used_);
  for (const uint32_t slot : used) Find(old[slot].gram) = old[slot];
}

void BlockGrams::AddField(std::u16string_view text, uint32_t entry, bool headword) {
  FoldText(text, kWidestFolding, wide_);
  FoldText(text, kNarrowestFolding, narrow_);
  grams_.clear();
  places_.clear();
  AppendTextGrams(wide_.chars, grams_, places_);
  // Only kana and accents tell the foldings apart; most text has neither.
  const bool same = wide_.chars == narrow_.chars;
  // Where both foldings kept every character apart (no voicing mark composed
  // in one of them only), the narrowest folding holds a gram where its own
  // characters agree; elsewhere its grams are looked through.
  const bool aligned = wide_.chars.size() == narrow_.chars.size();
  if (!same && aligned) {
    differing_.assign(1, 0);
    for (size_t i = 0; i < wide_.chars.size(); ++i)
      differing_.push_back(differing_.back() + (wide_.chars[i] != narrow_.chars[i]));
  } else if (!same) {
    narrowGrams_.clear();
    AppendTextGrams(narrow_.chars, narrowGrams_);
    std::sort(narrowGrams_.begin(), narrowGrams_.end());
  }
  for (size_t k = 0; k < grams_.size(); ++k) {
    const Gram gram = grams_[k];
    Slot& slot = Find(gram);
    // The narrowest folding holds the gram here too.
    bool narrow = true;
    if (!same) {
      const uint32_t at = places_[k] >> 2;
      const uint32_t end = at + (places_[k] & 3);
      narrow = aligned ? differing_[end] == differing_[at]
                       : std::binary_search(narrowGrams_.begin(), narrowGrams_.end(), gram);
    }
    const auto once = [&](uint32_t& count, uint32_t& last) {
      if (last != entry) ++count;
      last = entry;
    };
    once(slot.counts.entries, slot.last[0]);
    if (headword) once(slot.counts.headwordEntries, slot.last[1]);
    if (narrow) once(slot.counts.narrowEntries, slot.last[2]);
    if (narrow && headword) once(slot.counts.narrowHeadwordEntries, slot.last[3]);
  }
}

void BlockGrams::Take(std::vector<std::pair<Gram, GramCounts>>& grams) {
  grams.clear();
  for (const uint32_t slot : used_) {
    grams.emplace_back(table_[slot].gram, table_[slot].counts);
    table_[slot] = Slot{};
  }
  used_.clear();
}

}  // namespace tavlex
