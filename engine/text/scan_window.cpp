#include "engine/text/scan_window.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utf16.h>

#include "engine/text/text.h"

namespace tavlex {
namespace {

constexpr std::u16string_view kSentenceEnds = u".!?。．！？\r\n";
// Punctuation that ends a word and, in a word window, the window after it.
constexpr std::u16string_view kOtherPunctuation = u",;:\"()[]{}“”«»、，；：（）「」『』";
constexpr std::u16string_view kSpaces = u" \t\u3000";

bool IsIn(std::u16string_view set, char16_t c) { return set.find(c) != std::u16string_view::npos; }

// Where the window begins: past the characters the search box strips.
uint32_t WindowBegin(std::u16string_view text) {
  const size_t first = text.find_first_not_of(kSearchWordStripped);
  return first == std::u16string_view::npos ? static_cast<uint32_t>(text.size())
                                            : static_cast<uint32_t>(first);
}

bool IsVoicingMark(char32_t c) { return c == 0x3099 || c == 0x309A || c == 0xFF9E || c == 0xFF9F; }

char32_t CodePointAt(std::u16string_view text, size_t at) {
  char32_t c;
  U16_GET(text.data(), 0, at, text.size(), c);
  return c;
}

}  // namespace

bool ReadsByWords(std::u16string_view text) {
  const uint32_t begin = WindowBegin(text);
  if (begin >= text.size()) return false;
  UErrorCode status = U_ZERO_ERROR;
  const UChar32 c = static_cast<UChar32>(CodePointAt(text, begin));
  return u_isalpha(c) && uscript_getScript(c, &status) == USCRIPT_LATIN;
}

ScanWindow WordWindow(std::u16string_view text) {
  ScanWindow window;
  window.byWords = true;
  window.begin = WindowBegin(text);
  size_t at = window.begin;
  while (window.pieces.size() < kMostScanWords) {
    while (at < text.size() && IsIn(kSpaces, text[at])) ++at;
    const size_t start = at;
    while (at < text.size() && !IsIn(kSpaces, text[at]) && !IsIn(kSentenceEnds, text[at]) &&
           !IsIn(kOtherPunctuation, text[at])) {
      ++at;
    }
    if (at == start) break;
    window.pieces.emplace_back(static_cast<uint32_t>(start), static_cast<uint32_t>(at));
    if (at < text.size() && !IsIn(kSpaces, text[at])) break;  // punctuation right after the word
  }
  return window;
}

ScanWindow CharacterWindow(std::u16string_view text) {
  ScanWindow window;
  window.begin = WindowBegin(text);
  size_t at = window.begin;
  while (at < text.size() && window.pieces.size() < kMostScanCharacters && !IsIn(kSentenceEnds, text[at])) {
    const size_t start = at;
    U16_FWD_1(text.data(), at, text.size());
    // A voicing mark belongs to the kana before it: no start ends between them.
    while (at < text.size() && IsVoicingMark(CodePointAt(text, at))) U16_FWD_1(text.data(), at, text.size());
    window.pieces.emplace_back(static_cast<uint32_t>(start), static_cast<uint32_t>(at));
  }
  return window;
}

bool HasOtherScript(std::u16string_view text) {
  for (size_t at = 0; at < text.size();) {
    char32_t c;
    U16_NEXT(text.data(), at, text.size(), c);
    UErrorCode status = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(static_cast<UChar32>(c), &status);
    if (script != USCRIPT_LATIN && script != USCRIPT_COMMON && script != USCRIPT_INHERITED) return true;
  }
  return false;
}

}  // namespace tavlex
