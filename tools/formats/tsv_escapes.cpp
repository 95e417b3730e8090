#include "tools/formats/tsv_escapes.h"

#include <cstdio>

#include "base/utf8.h"

namespace tavlex::formats {
namespace {

constexpr char16_t kEscape = u'\\';
constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::size_t kCodeUnitDigits = 4;
constexpr char16_t kFirstPrintable = u' ';
constexpr char16_t kFirstSurrogate = u'\xD800';
constexpr char16_t kLastSurrogate = u'\xDFFF';

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The code unit spelled by the four digits at the front of digits.
char16_t CodeUnit(std::u16string_view digits) {
  unsigned value = 0;
  for (std::size_t i = 0; i < kCodeUnitDigits; ++i) {
    const int digit = i < digits.size() ? HexDigit(digits[i]) : -1;
    if (digit < 0) throw TsvError("\\u needs four hexadecimal digits");
    value = value * 16 + static_cast<unsigned>(digit);
  }
  const auto unit = static_cast<char16_t>(value);
  if (unit == 0) throw TsvError("\\u0000 cannot be stored");
  if (unit >= kFirstSurrogate && unit <= kLastSurrogate) throw TsvError("\\u cannot spell a surrogate");
  return unit;
}

}  // namespace

std::u16string UnescapeField(std::u16string_view field) {
  std::u16string text;
  text.reserve(field.size());
  for (size_t at = 0; at < field.size(); ++at) {
    if (field[at] != kEscape) {
      text += field[at];
      continue;
    }
    if (++at == field.size()) throw TsvError("a backslash ends the field; write \\\\ for one");
    switch (field[at]) {
      case u'n':
        text += kLineBreak;
        break;
      case u't':
        text += u'\t';
        break;
      case kEscape:
        text += kEscape;
        break;
      case u'u':
        text += CodeUnit(field.substr(at + 1));
        at += kCodeUnitDigits;
        break;
      default:
        throw TsvError("unknown escape \\" + Utf16ToUtf8(field.substr(at, 1)) +
                       " (\\n, \\t, \\\\ and \\uXXXX are known)");
    }
  }
  return text;
}

std::u16string EscapeField(std::u16string_view text) {
  std::u16string field;
  field.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    const char16_t c = text[at];
    if (text.substr(at, kLineBreak.size()) == kLineBreak) {
      field += u"\\n";
      ++at;
    } else if (c == u'\t') {
      field += u"\\t";
    } else if (c == kEscape) {
      field += u"\\\\";
    } else if (c < kFirstPrintable) {
      char spelled[sizeof "\\u0000"];
      std::snprintf(spelled, sizeof spelled, "\\u%04X", static_cast<unsigned>(c));
      field.append(spelled, spelled + kCodeUnitDigits + 2);
    } else {
      field += c;
    }
  }
  return field;
}

}  // namespace tavlex::formats
