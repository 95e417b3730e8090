#include "base/utf8.h"

#include <unicode/ustring.h>

#include <algorithm>
#include <limits>

namespace tavlex {
namespace {

constexpr UChar32 kReplacement = 0xFFFD;
// ICU takes int32_t lengths; longer text is converted in pieces.
constexpr std::size_t kMaxPiece = std::numeric_limits<int32_t>::max() / 4;

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8, std::size_t* replaced) {
  std::u16string out;
  std::size_t replacements = 0;
  while (!utf8.empty()) {
    std::size_t piece = std::min(utf8.size(), kMaxPiece);
    // Never cut a piece inside a sequence: step back over continuation bytes.
    while (piece < utf8.size() && piece > 0 && (static_cast<unsigned char>(utf8[piece]) & 0xC0) == 0x80)
      --piece;
    if (piece == 0) piece = std::min(utf8.size(), kMaxPiece);
    // UTF-16 never needs more units than UTF-8 has bytes.
    const std::size_t start = out.size();
    out.resize(start + piece);
    int32_t length = 0;
    int32_t substitutions = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data() + start, static_cast<int32_t>(piece), &length, utf8.data(),
                         static_cast<int32_t>(piece), kReplacement, &substitutions, &error);
    out.resize(start + (U_SUCCESS(error) ? static_cast<std::size_t>(length) : 0));
    replacements += static_cast<std::size_t>(substitutions);
    utf8.remove_prefix(piece);
  }
  if (replaced) *replaced = replacements;
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  while (!utf16.empty()) {
    std::size_t piece = std::min(utf16.size(), kMaxPiece);
    // Keep a surrogate pair together.
    if (piece < utf16.size() && U16_IS_LEAD(utf16[piece - 1])) --piece;
    if (piece == 0) piece = 1;
    const std::size_t start = out.size();
    // At most three bytes per UTF-16 unit.
    out.resize(start + 3 * piece);
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data() + start, static_cast<int32_t>(3 * piece), &length, utf16.data(),
                       static_cast<int32_t>(piece), kReplacement, nullptr, &error);
    out.resize(start + (U_SUCCESS(error) ? static_cast<std::size_t>(length) : 0));
    utf16.remove_prefix(piece);
  }
  return out;
}

}  // namespace tavlex
