// The words of the full-text index: maximal runs of Latin letters and digits
// in folded text. A query term made of such characters only lies, wherever
// a text holds it, inside exactly one word of that text; so the entries
// holding the term are those holding some word that contains it, and the
// index can count them from its vocabulary without reading a block.
#pragma once

#include <string>
#include <string_view>

namespace tavlex {

// a-z and 0-9: folding has turned capitals and full-width forms into these.
inline bool IsWordChar(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9'); }

// True when folded is a non-empty run of word characters.
bool IsWord(std::u32string_view folded);

// Calls take(word) for each word of folded text, in text order, as ASCII.
template <typename Take>
void ForEachWord(std::u32string_view folded, std::string& scratch, Take take) {
  for (size_t i = 0; i < folded.size();) {
    if (!IsWordChar(folded[i])) {
      ++i;
      continue;
    }
    scratch.clear();
    for (; i < folded.size() && IsWordChar(folded[i]); ++i) scratch.push_back(static_cast<char>(folded[i]));
    take(std::string_view(scratch));
  }
}

// The same word runs in a and b, at the same places or not.
bool SameWords(std::u32string_view a, std::u32string_view b);

}  // namespace tavlex
