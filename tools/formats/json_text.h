// JSON string literals for the tools' machine-readable output.
#pragma once

#include <string>
#include <string_view>

namespace tavlex::formats {

// Appends text as a quoted JSON string in UTF-8: quotation mark, backslash and
// every control character escaped; an unpaired surrogate becomes U+FFFD.
void AppendJsonString(std::string& out, std::u16string_view text);

}  // namespace tavlex::formats
