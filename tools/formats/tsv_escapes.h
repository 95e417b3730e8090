// The escapes of a TSV field: "\n" is a CR LF line break, "\t" a TAB, "\\" a
// backslash and "\uXXXX" any other UTF-16 code unit by four hexadecimal digits
// (for a lone CR or LF, or another control character). They let a field hold
// what would otherwise end it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tavlex::formats {

// What is wrong with a field or a line of the TSV.
class TsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws TsvError for a backslash before any other character or at the end
// of the field, and for "\u" without four hexadecimal digits, with 0000 or
// with a surrogate.
std::u16string UnescapeField(std::u16string_view field);

// The field that UnescapeField reads back as text: CR LF as "\n", TAB as
// "\t", a backslash doubled, every other control character as "\uXXXX".
std::u16string EscapeField(std::u16string_view text);

}  // namespace tavlex::formats
