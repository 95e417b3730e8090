// Conversions between the code pages of the ANSI dictionary layout and UTF-16,
// through ICU. The system multibyte code page of this port is defined here and
// nowhere else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavlex {

enum class CodePage {
  kShiftJis,  // 932, Microsoft's Shift_JIS: ANSI text and the ANSI index
  kWestern,   // 1252: the pronunciation field of the ANSI layout
};

// The multibyte code page that ANSI dictionaries are written in.
inline constexpr CodePage kSystemCodePage = CodePage::kShiftJis;

// Converts exactly `length` bytes. Bytes the code page does not map become
// substitution characters; the conversion never reads outside the run.
std::u16string MultiByteToUtf16(const uint8_t* bytes, size_t length, CodePage codePage);

// Converts a query for the ANSI index comparison. Characters the code page
// cannot represent become its substitution byte.
std::string Utf16ToMultiByte(const std::u16string& text, CodePage codePage);

}  // namespace tavlex
