// Cutting text into lines. Files are read as lines ended by LF, with an
// optional CR before it (and optional UTF-8 byte-order marks in front).
// Texts inside dictionaries and messages break paragraphs with CR LF pairs,
// where a lone CR or LF is an ordinary character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlex {

// text without the UTF-8 byte-order marks at its start: all of them, since an
// editor that adds one to a file that has one already makes a second, and a
// mark left in front of the first line would hide what that line says.
std::string_view SkipUtf8Bom(std::string_view text);

// The lines of a file: each ends at "\n", and the "\r"s before it, or ending
// the last line, belong to the break (all of them: a line kept with a "\r" at
// its end would be written back with "\n" and read without it). A final "\n"
// starts no further line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The pieces of text between CR LF pairs; always at least one, so a text
// ending in CR LF gives an empty last piece.
std::vector<std::u16string_view> SplitAtCrLf(std::u16string_view text);

// text with every CR LF pair as a plain LF.
std::u16string CrLfToLf(std::u16string_view text);

// text up to its first line break (a CR or an LF): what a single-line box
// takes of a pasted or selected text.
std::u16string_view FirstLine(std::u16string_view text);

}  // namespace tavlex
