// Small text operations shared by the decoders and the searches. Comparisons
// are ordinal: UTF-16 code unit by code unit, no locale, no case folding.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavlex {

// Splits text at delimiters: from *position, delimiters are skipped, the token
// runs to the next delimiter and *position moves past that delimiter. When no
// token is left the token is empty and *position becomes -1.
std::u16string NextToken(std::u16string_view text, std::u16string_view delimiters, int* position);

// The word a search looks up: the search text with these characters removed
// from both ends (spaces, the ideographic space, quotes, ? . , ! and brackets).
// Characters inside the word stay.
std::u16string StripSearchWord(std::u16string_view text);
inline constexpr std::u16string_view kSearchWordStripped = u" \u3000\"'?.,()[]{}!";

// text with its full-width ASCII (U+FF01 to U+FF5E, which Japanese input
// methods type in their full-width mode) and its ideographic spaces as plain
// ASCII; none when it holds no full-width ASCII.
std::optional<std::u16string> HalfWidthAscii(std::u16string_view text);

// The first length-of-prefix units of text equal prefix.
inline bool BeginsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace tavlex
