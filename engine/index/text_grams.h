// The keys of the full-text index: runs of one, two and three folded
// characters ("grams") that occur in a block's text. A query's grams select
// the blocks that can hold it; what the blocks really hold is then checked.
//
// Spaces, line breaks and other controls never take part in a gram: a query
// is split at them, and each piece on its own still narrows the blocks.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavlex {

// Up to three code points, 21 bits each, stored plus one so that a shorter
// gram leaves zeros behind its characters.
using Gram = uint64_t;

inline constexpr size_t kLongestGram = 3;

bool IsIndexedChar(char32_t c);

// Appends every gram of folded text (widest folding) to grams.
void AppendTextGrams(std::u32string_view folded, std::vector<Gram>& grams);
// The same, also appending to places where in folded each gram lies:
// its first character's offset << 2 | its length.
void AppendTextGrams(std::u32string_view folded, std::vector<Gram>& grams, std::vector<uint32_t>& places);

// The grams every text holding the folded query text must hold: for each
// piece between unindexed characters, the piece itself when it is one or two
// characters long, else each of its three-character runs.
void AppendQueryGrams(std::u32string_view folded, std::vector<Gram>& grams);

}  // namespace tavlex
