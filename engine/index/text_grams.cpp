#include "engine/index/text_grams.h"

namespace tavlex {
namespace {

constexpr int kBitsPerChar = 21;
constexpr char32_t kLastCodePoint = 0x10FFFF;

Gram MakeGram(const char32_t* chars, size_t length) {
  Gram gram = 0;
  for (size_t i = 0; i < kLongestGram; ++i) {
    gram <<= kBitsPerChar;
    if (i < length) gram |= static_cast<Gram>(chars[i]) + 1;
  }
  return gram;
}

// Calls take(start, length) for each maximal run of indexed characters.
template <typename Take>
void ForEachPiece(std::u32string_view folded, Take take) {
  size_t start = 0;
  for (size_t i = 0; i <= folded.size(); ++i) {
    if (i < folded.size() && IsIndexedChar(folded[i])) continue;
    if (i > start) take(start, i - start);
    start = i + 1;
  }
}

}  // namespace

bool IsIndexedChar(char32_t c) {
  // Controls, spaces (folding has made the ideographic space a plain one), the
  // line and paragraph separators, and anything that is no code point.
  if (c <= 0x20 || (c >= 0x7F && c <= 0xA0)) return false;
  if (c == 0x2028 || c == 0x2029) return false;
  return c <= kLastCodePoint;
}

template <typename Take>
void ForEachTextGram(std::u32string_view folded, Take take) {
  ForEachPiece(folded, [&](size_t start, size_t length) {
    for (size_t i = start; i < start + length; ++i) {
      for (size_t n = 1; n <= kLongestGram && i + n <= start + length; ++n) take(i, n);
    }
  });
}

void AppendTextGrams(std::u32string_view folded, std::vector<Gram>& grams) {
  ForEachTextGram(folded, [&](size_t at, size_t n) { grams.push_back(MakeGram(folded.data() + at, n)); });
}

void AppendTextGrams(std::u32string_view folded, std::vector<Gram>& grams, std::vector<uint32_t>& places) {
  ForEachTextGram(folded, [&](size_t at, size_t n) {
    grams.push_back(MakeGram(folded.data() + at, n));
    places.push_back(static_cast<uint32_t>(at << 2 | n));
  });
}

void AppendQueryGrams(std::u32string_view folded, std::vector<Gram>& grams) {
  ForEachPiece(folded, [&](size_t start, size_t length) {
    const char32_t* chars = folded.data() + start;
    if (length < kLongestGram) {
      grams.push_back(MakeGram(chars, length));
      return;
    }
    for (size_t i = 0; i + kLongestGram <= length; ++i) grams.push_back(MakeGram(chars + i, kLongestGram));
  });
}

}  // namespace tavlex
