#include "settings/utf8.h"

namespace tavlex {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kSurrogateLast = 0xDFFF;
constexpr unsigned char kContinuationMin = 0x80;
constexpr unsigned char kContinuationMax = 0xBF;
constexpr unsigned kPayloadBits = 6;
constexpr unsigned char kPayloadMask = 0x3F;

// How many bytes a lead byte announces, and which values its second byte may
// take. Narrowing the second byte's range is what rules out overlong forms,
// encoded surrogates and values past U+10FFFF (Unicode table 3-7).
struct LeadByte {
  std::size_t length;  // 0: the byte can never start a sequence
  unsigned char secondMin;
  unsigned char secondMax;
};

LeadByte ClassifyLead(unsigned char b) {
  if (b < 0x80) return {1, 0, 0};
  if (b < 0xC2) return {0, 0, 0};
  if (b < 0xE0) return {2, kContinuationMin, kContinuationMax};
  if (b == 0xE0) return {3, 0xA0, kContinuationMax};
  if (b == 0xED) return {3, kContinuationMin, 0x9F};
  if (b < 0xF0) return {3, kContinuationMin, kContinuationMax};
  if (b == 0xF0) return {4, 0x90, kContinuationMax};
  if (b < 0xF4) return {4, kContinuationMin, kContinuationMax};
  if (b == 0xF4) return {4, kContinuationMin, 0x8F};
  return {0, 0, 0};
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < kFirstSupplementary) {
    out.push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= kFirstSupplementary;
  out.push_back(static_cast<char16_t>(kHighSurrogateFirst + (cp >> 10)));
  out.push_back(static_cast<char16_t>(kLowSurrogateFirst + (cp & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t cp) {
  const auto byte = [&out](char32_t b) { out.push_back(static_cast<char>(b)); };
  if (cp < 0x80) {
    byte(cp);
  } else if (cp < 0x800) {
    byte(0xC0 | (cp >> 6));
    byte(0x80 | (cp & kPayloadMask));
  } else if (cp < kFirstSupplementary) {
    byte(0xE0 | (cp >> 12));
    byte(0x80 | ((cp >> 6) & kPayloadMask));
    byte(0x80 | (cp & kPayloadMask));
  } else {
    byte(0xF0 | (cp >> 18));
    byte(0x80 | ((cp >> 12) & kPayloadMask));
    byte(0x80 | ((cp >> 6) & kPayloadMask));
    byte(0x80 | (cp & kPayloadMask));
  }
}

bool IsHighSurrogate(char16_t c) { return c >= kHighSurrogateFirst && c < kLowSurrogateFirst; }
bool IsLowSurrogate(char16_t c) { return c >= kLowSurrogateFirst && c <= kSurrogateLast; }

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const LeadByte info = ClassifyLead(lead);
    if (info.length == 0) {
      AppendUtf16(out, kReplacement);
      ++i;
      continue;
    }
    // The lead byte keeps 7 - length payload bits (all 7 for ASCII).
    char32_t cp = lead & (0x7F >> (info.length == 1 ? 0 : info.length));
    std::size_t used = 1;
    while (used < info.length && i + used < utf8.size()) {
      const auto b = static_cast<unsigned char>(utf8[i + used]);
      const unsigned char min = used == 1 ? info.secondMin : kContinuationMin;
      const unsigned char max = used == 1 ? info.secondMax : kContinuationMax;
      if (b < min || b > max) break;
      cp = (cp << kPayloadBits) | (b & kPayloadMask);
      ++used;
    }
    AppendUtf16(out, used == info.length ? cp : kReplacement);
    i += used;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (IsHighSurrogate(utf16[i]) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      cp = kFirstSupplementary + ((cp - kHighSurrogateFirst) << 10) + (utf16[i + 1] - kLowSurrogateFirst);
      ++i;
    } else if (IsHighSurrogate(utf16[i]) || IsLowSurrogate(utf16[i])) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace tavlex
