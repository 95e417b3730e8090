#include "engine/index/text_words.h"

#include <algorithm>

namespace tavlex {
namespace {

// The next word of text at or after *at: [begin, end), *at moved past it;
// empty at the end of the text.
std::u32string_view NextWord(std::u32string_view text, size_t* at) {
  size_t begin = *at;
  while (begin < text.size() && !IsWordChar(text[begin])) ++begin;
  size_t end = begin;
  while (end < text.size() && IsWordChar(text[end])) ++end;
  *at = end;
  return text.substr(begin, end - begin);
}

}  // namespace

bool IsWord(std::u32string_view folded) {
  return !folded.empty() && std::all_of(folded.begin(), folded.end(), IsWordChar);
}

bool SameWords(std::u32string_view a, std::u32string_view b) {
  size_t inA = 0, inB = 0;
  for (;;) {
    const std::u32string_view wordA = NextWord(a, &inA);
    const std::u32string_view wordB = NextWord(b, &inB);
    if (wordA != wordB) return false;
    if (wordA.empty()) return true;
  }
}

}  // namespace tavlex
