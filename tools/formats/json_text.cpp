#include "tools/formats/json_text.h"

#include <cstdio>

#include "base/utf8.h"

namespace tavlex::formats {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
// "\u" and four hex digits, and the terminating zero snprintf writes.
constexpr size_t kUnicodeEscapeBuffer = 7;

// The escapes JSON spells with a letter.
const char* ShortEscape(char c) {
  switch (c) {
    case '"':
      return "\\\"";
    case '\\':
      return "\\\\";
    case '\b':
      return "\\b";
    case '\f':
      return "\\f";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    default:
      return nullptr;
  }
}

}  // namespace

void AppendJsonString(std::string& out, std::u16string_view text) {
  // The conversion already turned unpaired surrogates into U+FFFD; what is
  // left to escape is all ASCII, so working on bytes is safe.
  const std::string utf8 = Utf16ToUtf8(text);
  out += '"';
  for (const char c : utf8) {
    if (const char* escape = ShortEscape(c)) {
      out += escape;
    } else if (static_cast<unsigned char>(c) < kFirstPrintable) {
      char buffer[kUnicodeEscapeBuffer];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
      out += buffer;
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace tavlex::formats
