#include "mkdic/tsv_escapes.h"

#include "settings/utf8.h"

namespace tavlex::mkdic {
namespace {

constexpr char16_t kEscape = u'\\';
constexpr std::u16string_view kLineBreak = u"\r\n";

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
      default:
        throw TsvError("unknown escape \\" + Utf16ToUtf8(field.substr(at, 1)) +
                       " (\\n, \\t and \\\\ are known)");
    }
  }
  return text;
}

}  // namespace tavlex::mkdic
