// UTF-8 <-> UTF-16 conversion for text that comes from or goes to disk.
// Both directions are total: malformed input becomes U+FFFD instead of an
// error, so a damaged file still loads and an odd string still saves.
#pragma once

#include <string>
#include <string_view>

namespace tavlex {

// Each ill-formed sequence (lone continuation byte, overlong form, encoded
// surrogate, code point above U+10FFFF, sequence cut short) becomes one U+FFFD
// per maximal ill-formed subpart; the byte that broke a sequence starts anew.
std::u16string Utf8ToUtf16(std::string_view utf8);

// An unpaired surrogate is written as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace tavlex
