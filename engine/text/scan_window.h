// The window of a selected text that the look-up reads: the start of its
// first line, after the characters the search box strips from a word, up to
// the end of its sentence. English text is read by words (up to eight), text
// without spaces by characters (up to 24).
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace tavlex {

inline constexpr size_t kMostScanWords = 8;
inline constexpr size_t kMostScanCharacters = 24;

struct ScanWindow {
  bool byWords = false;
  uint32_t begin = 0;  // where the window begins in the text, in UTF-16 units
  // Words, or characters (a kana with its voicing mark is one): [begin, end)
  // in the text, in order. A start of the window ends where a piece ends.
  std::vector<std::pair<uint32_t, uint32_t>> pieces;
};

// Whether the text (past what the search box strips) begins with a Latin
// letter, and so is read by words.
bool ReadsByWords(std::u16string_view text);

// The window read by words: a word is a run of anything but spaces and
// punctuation (an apostrophe and a hyphen belong to the word); the window
// ends at . ! ? and their full-width forms, 。, a line break, and after a
// word followed by other punctuation (a comma, a colon, a bracket, a quote).
ScanWindow WordWindow(std::u16string_view text);

// The window read by characters; it ends at 。．！？.!? and a line break.
ScanWindow CharacterWindow(std::u16string_view text);

// Whether some character of text is of neither the Latin nor the common
// script (a kana of Tシャツ), so that a word window that found nothing is
// read again by characters.
bool HasOtherScript(std::u16string_view text);

}  // namespace tavlex
