// UTF-8 <-> UTF-16 conversion for text that comes from or goes to disk,
// through ICU. Malformed input becomes U+FFFD, one per maximal ill-formed
// subpart, so a damaged file still loads and an odd string still saves;
// callers that must refuse bad input ask for the count of replacements.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavlex {

// Each ill-formed sequence (lone continuation byte, overlong form, encoded
// surrogate, code point above U+10FFFF, sequence cut short) becomes U+FFFD;
// the byte that broke a sequence starts anew. replaced, when given, receives
// how many replacements were made (0: the input was valid UTF-8).
std::u16string Utf8ToUtf16(std::string_view utf8, std::size_t* replaced = nullptr);

// An unpaired surrogate is written as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace tavlex
