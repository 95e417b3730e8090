#include "engine/format/bocu1.h"

namespace tavlex {
namespace {

constexpr int32_t kAsciiPrev = 0x40;
constexpr int32_t kMaxCodePoint = 0x10FFFF;
constexpr uint8_t kReset = 0xFF;
constexpr uint8_t kSpace = 0x20;
constexpr uint8_t kSingleMiddle = 0x90;  // single-byte difference 0
constexpr int32_t kTrailOffset = 13;     // trail bytes above 0x20 carry byte - 13
constexpr int32_t kTrailRadix = 243;
constexpr int32_t kTrailRadix2 = kTrailRadix * kTrailRadix;

// Trail values of the bytes at or below 0x20; -1 marks a byte that is never a trail.
constexpr int8_t kControlTrail[0x21] = {
    -1, 0, 1, 2, 3,  4,  5,  -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 00-0F
    6,  7, 8, 9, 10, 11, 12, 13, 14, 15, -1, -1, 16, 17, 18, 19,  // 10-1F
    -1,                                                           // 20
};

void Reset(Bocu1Decoder* state) {
  state->prev = kAsciiPrev;
  state->count = 0;
}

// Starts the multi-byte difference that lead byte b announces.
void StartDifference(Bocu1Decoder* state, uint8_t b) {
  if (b >= 0xD0 && b <= 0xFA) {
    state->count = 1;
    state->diff = (b - 0xD0) * kTrailRadix + 64;
  } else if (b >= 0xFB && b <= 0xFD) {
    state->count = 2;
    state->diff = (b - 0xFB) * kTrailRadix2 + 10513;
  } else if (b == 0xFE) {
    state->count = 3;
    state->diff = 187660;
  } else if (b >= 0x25) {  // 0x25-0x4F
    state->count = 1;
    state->diff = (b - 0x50) * kTrailRadix - 64;
  } else if (b >= 0x22) {  // 0x22-0x24
    state->count = 2;
    state->diff = (b - 0x25) * kTrailRadix2 - 10513;
  } else {  // 0x21
    state->count = 3;
    state->diff = -14536567;
  }
}

}  // namespace

int32_t Bocu1Prev(int32_t c) {
  if (c >= 0x3040 && c <= 0x309F) return 0x3070;  // Hiragana
  if (c >= 0x4E00 && c <= 0x9FA5) return 0x7711;  // CJK Unihan
  if (c >= 0xAC00 && c <= 0xD7A3) return 0xC1D1;  // Hangul
  return (c & ~0x7F) + kAsciiPrev;
}

namespace {

// What DecodeBocu1Byte gives for b when it is a space or a single-byte
// difference to a character of the BMP (U+0000 aside) and no longer
// difference is under way, as most bytes of dictionary text are, decoded
// here without a call; 0 for every other byte, which DecodeBocu1Byte decodes.
inline int32_t QuickCharacter(Bocu1Decoder& state, uint8_t b) {
  if (state.count != 0) return 0;
  if (b == kSpace) return kSpace;
  if (b < 0x50 || b > 0xCF) return 0;
  const int32_t c = state.prev + (b - kSingleMiddle);
  if (static_cast<uint32_t>(c) - 1 >= 0xFFFF) return 0;
  state.prev = Bocu1Prev(c);
  return c;
}

}  // namespace

int32_t DecodeBocu1Byte(Bocu1Decoder* state, uint8_t b) {
  if (state == nullptr) return kBocu1Error;
  if (state->prev == 0) Reset(state);

  if (state->count == 0) {
    if (b <= kSpace) {
      if (b != kSpace) state->prev = kAsciiPrev;
      return b;
    }
    if (b >= 0x50 && b <= 0xCF) {
      const int32_t c = state->prev + (b - kSingleMiddle);
      state->prev = Bocu1Prev(c);
      return c;
    }
    if (b == kReset) {
      state->prev = kAsciiPrev;
      return kBocu1NoCharacter;
    }
    StartDifference(state, b);
    return kBocu1NoCharacter;
  }

  int32_t t;
  if (b > kSpace) {
    t = b - kTrailOffset;
  } else {
    t = kControlTrail[b];
    if (t < 0) {
      Reset(state);
      return kBocu1Error;
    }
  }

  switch (state->count) {
    case 1: {
      const int32_t c = state->prev + state->diff + t;
      if (static_cast<uint32_t>(c) > kMaxCodePoint) {
        Reset(state);
        return kBocu1Error;
      }
      state->prev = Bocu1Prev(c);
      state->count = 0;
      return c;
    }
    case 2:
      state->diff += t * kTrailRadix;
      state->count = 1;
      return kBocu1NoCharacter;
    default:
      state->diff += t * kTrailRadix2;
      state->count = 2;
      return kBocu1NoCharacter;
  }
}

void AppendBocu1String(const uint8_t* bytes, size_t length, std::u16string& result) {
  // Characters are staged in a fixed buffer and appended a buffer at a time,
  // so a long run costs no allocation per character.
  constexpr size_t kStagingUnits = 1024;
  char16_t staging[kStagingUnits];
  size_t staged = 0;

  Bocu1Decoder state;
  Reset(&state);
  for (size_t i = 0; length == 0 || i < length; ++i) {
    int32_t c = QuickCharacter(state, bytes[i]);
    if (c == 0) c = DecodeBocu1Byte(&state, bytes[i]);
    if (c == kBocu1NoCharacter) continue;
    if (c <= 0) break;  // the zero byte, or an error
    if (staged + 2 > kStagingUnits) {
      result.append(staging, staged);
      staged = 0;
    }
    if (c > 0xFFFF) {
      staging[staged++] = static_cast<char16_t>(0xD7C0 + (c >> 10));
      staging[staged++] = static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    } else {
      staging[staged++] = static_cast<char16_t>(c);
    }
  }
  result.append(staging, staged);
}

std::u16string DecodeBocu1String(const uint8_t* bytes, size_t length) {
  std::u16string result;
  AppendBocu1String(bytes, length, result);
  return result;
}

Bocu1Comparison CompareBocu1String(const uint8_t* bytes, std::u16string_view text) {
  Bocu1Decoder state;
  Reset(&state);
  size_t matched = 0;
  for (size_t i = 0;; ++i) {
    int32_t c = QuickCharacter(state, bytes[i]);
    if (c == 0) c = DecodeBocu1Byte(&state, bytes[i]);
    if (c == kBocu1NoCharacter) continue;
    if (c <= 0) break;  // the zero byte, or an error: the run ends here
    const char16_t units[2] = {
        c > 0xFFFF ? static_cast<char16_t>(0xD7C0 + (c >> 10)) : static_cast<char16_t>(c),
        static_cast<char16_t>(0xDC00 | (c & 0x3FF))};
    for (size_t u = 0; u < (c > 0xFFFF ? 2u : 1u); ++u) {
      if (matched == text.size()) return {1, true};
      if (units[u] != text[matched]) return {units[u] < text[matched] ? -1 : 1, false};
      ++matched;
    }
  }
  return matched == text.size() ? Bocu1Comparison{0, true} : Bocu1Comparison{-1, false};
}

}  // namespace tavlex
