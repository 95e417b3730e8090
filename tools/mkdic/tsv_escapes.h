// The escapes of a TSV field: "\n" is a CR LF line break, "\t" a TAB and
// "\\" a backslash. They let a field hold what would otherwise end it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tavlex::mkdic {

// What is wrong with a field or a line of the TSV.
class TsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws TsvError for a backslash before any other character or at the
// end of the field.
std::u16string UnescapeField(std::u16string_view field);

}  // namespace tavlex::mkdic
