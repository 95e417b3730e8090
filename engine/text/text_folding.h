// The matching rules of the search modes other than the plain prefix search:
// text and queries are folded to a canonical form, and two texts match when
// their folded forms do.
//
// Always: ICU simple case folding (one character to one, so "ß" stays a
// letter of its own); full-width and half-width forms to their plain form
// (ASCII, the ideographic space, katakana, the yen sign and its kin); a kana
// followed by a voicing mark, half-width or combining, to the voiced kana.
// Voiced and unvoiced kana stay apart. Hiragana and katakana are the same only
// with `kana`; accented Latin letters fold to their base letter (the accent
// table of the inflection search) only with `accents`.
//
// Folding works on code points, so a folded text can be shorter than its
// source; every folded character remembers where in the source it began.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavlex {

struct FoldOptions {
  bool kana = false;     // hiragana and katakana match each other
  bool accents = false;  // accented letters match their base letter

  bool operator==(const FoldOptions&) const = default;
};

// The folding that every other folding refines: what the full-text index keys on.
inline constexpr FoldOptions kWidestFolding{true, true};

struct FoldedText {
  std::u32string chars;
  // starts[i] is the UTF-16 offset in the source where chars[i] begins;
  // starts[chars.size()] is the source's length.
  std::vector<uint32_t> starts;

  // The source range of the folded characters [begin, end).
  uint32_t SourceBegin(size_t begin) const { return starts[begin]; }
  uint32_t SourceEnd(size_t end) const { return starts[end]; }
};

// Folds text into out, reusing out's storage.
void FoldText(std::u16string_view text, FoldOptions options, FoldedText& out);

// The folded characters of text, without the offsets.
std::u32string FoldedChars(std::u16string_view text, FoldOptions options);

// Every form that folds to the single character `folded`: single characters,
// and a kana followed by a voicing mark. For the headword searches that walk
// the dictionary's sorted index instead of the full-text index.
std::vector<std::u16string> UnfoldedForms(char32_t folded, FoldOptions options);

}  // namespace tavlex
