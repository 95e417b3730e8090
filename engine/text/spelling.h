// Letter-level helpers of the inflection search: case mapping through ICU's
// root rules (never the process locale), the accent table, accent removal,
// ending tests.
#pragma once

#include <string>
#include <vector>

namespace tavlex {

// The whole string in lower case.
std::u16string LowerCase(const std::u16string& text);

// The characters to try for c: c itself, its upper-case form when that
// differs, then (with accents) the accented forms of a lower-case ASCII letter.
std::vector<char16_t> AlternativesOf(char16_t c, bool accents);

// text without its accents: every combining mark of its canonical
// decomposition goes ("naïve" → "naive", "e" with a combining acute → "e").
// Letters that Unicode does not decompose (ø, ł, æ, ß) stay as they are.
std::u16string RemoveAccents(const std::u16string& text);
// The lower-case ASCII letter whose row of the accent table lists c, or c itself.
char16_t AccentKeyOf(char16_t c);

// Where suffix starts in s when s ends with it, else -1.
int EndsWith(const std::u16string& s, const std::u16string& suffix);

}  // namespace tavlex
