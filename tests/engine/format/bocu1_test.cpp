// The BOCU-1 decoder, checked byte by byte on hand-made runs and against ICU's
// own BOCU-1 converter on random text over the whole code-point range.
#include "engine/format/bocu1.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <random>
#include <string>
#include <vector>

namespace tavlex {
namespace {

using ByteRun = std::vector<uint8_t>;

// A length of 0 would mean "up to the zero byte": an empty run decodes to nothing.
std::u16string Decode(const ByteRun& bytes) {
  return bytes.empty() ? std::u16string() : DecodeBocu1String(bytes.data(), bytes.size());
}

class IcuBocu1 {
 public:
  IcuBocu1() {
    UErrorCode status = U_ZERO_ERROR;
    converter_ = ucnv_open("BOCU-1", &status);
    EXPECT_TRUE(U_SUCCESS(status));
    ucnv_setToUCallBack(converter_, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  }
  ~IcuBocu1() { ucnv_close(converter_); }

  ByteRun Encode(const std::u16string& text) {
    ucnv_reset(converter_);
    UErrorCode status = U_ZERO_ERROR;
    ByteRun out(text.size() * 4 + 8);
    const int32_t n =
        ucnv_fromUChars(converter_, reinterpret_cast<char*>(out.data()), static_cast<int32_t>(out.size()),
                        text.data(), static_cast<int32_t>(text.size()), &status);
    EXPECT_TRUE(U_SUCCESS(status));
    out.resize(static_cast<size_t>(n));
    return out;
  }

  // What ICU decodes before the first invalid byte, up to a U+0000.
  std::u16string DecodeUntilError(const ByteRun& bytes) {
    ucnv_reset(converter_);
    std::u16string out(bytes.size() * 2 + 2, u'\0');
    UChar* target = out.data();
    const char* source = reinterpret_cast<const char*>(bytes.data());
    UErrorCode status = U_ZERO_ERROR;
    ucnv_toUnicode(converter_, &target, target + out.size(), &source, source + bytes.size(), nullptr, true,
                   &status);
    out.resize(static_cast<size_t>(target - out.data()));
    return out.substr(0, out.find(u'\0'));
  }

 private:
  UConverter* converter_ = nullptr;
};

void AppendCodePoint(std::u16string* s, char32_t c) {
  if (c > 0xFFFF) {
    s->push_back(static_cast<char16_t>(0xD7C0 + (c >> 10)));
    s->push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
  } else {
    s->push_back(static_cast<char16_t>(c));
  }
}

TEST(Bocu1Decoder, SingleByteLettersKeepTheAsciiBase) {
  Bocu1Decoder state;
  EXPECT_EQ(DecodeBocu1Byte(&state, 0xB1), 0x61);
  EXPECT_EQ(state.prev, 0x40);
  EXPECT_EQ(DecodeBocu1Byte(&state, 0xB2), 0x62);
  EXPECT_EQ(DecodeBocu1Byte(&state, 0xB3), 0x63);
  EXPECT_EQ(state.prev, 0x40);
  EXPECT_EQ(Decode({0xB1, 0xB2, 0xB3}), u"abc");
}

TEST(Bocu1Decoder, SpaceKeepsTheBaseAndControlsResetIt) {
  IcuBocu1 icu;
  const ByteRun kana = icu.Encode(u"\u3042 \u3044\n\u3046");
  Bocu1Decoder state;
  std::vector<int32_t> prevAfter;
  for (uint8_t b : kana) {
    if (DecodeBocu1Byte(&state, b) >= 0) prevAfter.push_back(state.prev);
  }
  ASSERT_EQ(prevAfter.size(), 5u);
  EXPECT_EQ(prevAfter[0], 0x3070);  // after the first kana
  EXPECT_EQ(prevAfter[1], 0x3070);  // the space leaves it
  EXPECT_EQ(prevAfter[3], 0x40);    // the line feed resets it
  EXPECT_EQ(Decode(kana), u"\u3042 \u3044\n\u3046");
}

TEST(Bocu1Decoder, PrevRulesOfTheScriptBlocks) {
  EXPECT_EQ(Bocu1Prev(0x3041), 0x3070);
  EXPECT_EQ(Bocu1Prev(0x4E00), 0x7711);
  EXPECT_EQ(Bocu1Prev(0x9FA5), 0x7711);
  EXPECT_EQ(Bocu1Prev(0x9FA6), 0x9F80 + 0x40);
  EXPECT_EQ(Bocu1Prev(0xAC00), 0xC1D1);
  EXPECT_EQ(Bocu1Prev(0x1F600), 0x1F600 + 0x40);
}

TEST(Bocu1Decoder, ResetByteAndErrors) {
  Bocu1Decoder state;
  EXPECT_EQ(DecodeBocu1Byte(nullptr, 0xB1), kBocu1Error);
  EXPECT_EQ(DecodeBocu1Byte(&state, 0xFF), kBocu1NoCharacter);
  EXPECT_EQ(state.prev, 0x40);

  // A lead byte followed by a byte that is never a trail: the state resets.
  EXPECT_EQ(DecodeBocu1Byte(&state, 0xD0), kBocu1NoCharacter);
  EXPECT_EQ(DecodeBocu1Byte(&state, 0x07), kBocu1Error);
  EXPECT_EQ(state.count, 0);
  EXPECT_EQ(state.prev, 0x40);
  EXPECT_EQ(Decode({0xB1, 0xB2, 0xD0, 0x07, 0xB3}), u"ab");

  // The largest three-trail difference from a high base leaves the code space.
  EXPECT_EQ(Decode({0xB1, 0xFE, 0xFF, 0xFF, 0xFF}), u"a");
  // Runs that end inside a multi-byte difference keep what came before.
  EXPECT_EQ(Decode({0xB1, 0xFB}), u"a");
  EXPECT_EQ(Decode({0xB1, 0x21, 0x30, 0x30}), u"a");
}

TEST(Bocu1Decoder, RunBoundaries) {
  IcuBocu1 icu;
  const ByteRun emoji = icu.Encode(u"\U0001F600");
  EXPECT_EQ(Decode(emoji), u"\xD83D\xDE00");

  // A run with a length stops early at a decoded zero; without one it ends there.
  const ByteRun withZero = {0xB1, 0x00, 0xB2};
  EXPECT_EQ(Decode(withZero), u"a");
  EXPECT_EQ(DecodeBocu1String(withZero.data(), 0), u"a");
  EXPECT_EQ(DecodeBocu1String(withZero.data(), 1), u"a");

  // Longer than the staging buffer, several times over.
  std::u16string longText;
  for (int i = 0; i < 3000; ++i) longText.push_back(i % 2 ? u'\u4E9C' : u'x');
  EXPECT_EQ(Decode(icu.Encode(longText)), longText);
}

// Random text drawn from every class the encoder treats differently.
TEST(Bocu1Decoder, MatchesIcuOnRandomText) {
  IcuBocu1 icu;
  std::mt19937 random(20261208);
  const std::vector<std::pair<char32_t, char32_t>> ranges = {
      {0x01, 0x1F},     {0x20, 0x20},     {0x21, 0x7E},       {0x80, 0x7FF},
      {0x3040, 0x309F}, {0x30A0, 0x30FF}, {0x4E00, 0x9FA5},   {0x9FA6, 0xABFF},
      {0xAC00, 0xD7A3}, {0xE000, 0xFFFF}, {0x10000, 0x1FFFF}, {0x20000, 0x10FFFF},
  };
  for (int round = 0; round < 4000; ++round) {
    std::u16string text;
    const int length = std::uniform_int_distribution<int>(1, 40)(random);
    const size_t home = random() % ranges.size();
    for (int i = 0; i < length; ++i) {
      // Mostly one script with excursions, as real text goes.
      const auto& [lo, hi] = ranges[random() % 4 == 0 ? random() % ranges.size() : home];
      AppendCodePoint(&text, std::uniform_int_distribution<char32_t>(lo, hi)(random));
    }
    const ByteRun bytes = icu.Encode(text);
    ASSERT_EQ(Decode(bytes), text) << "round " << round;
    // A run cut anywhere decodes to what ICU makes of the same bytes.
    const size_t cut = random() % (bytes.size() + 1);
    const ByteRun head(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(cut));
    ASSERT_EQ(Decode(head), icu.DecodeUntilError(head)) << "round " << round << " cut " << cut;
  }
}

// Arbitrary bytes: the decoder stops where ICU reports the first error.
TEST(Bocu1Decoder, MatchesIcuOnRandomBytes) {
  IcuBocu1 icu;
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    ByteRun bytes(random() % 12 + 1);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    ASSERT_EQ(Decode(bytes), icu.DecodeUntilError(bytes)) << "round " << round;
  }
}

TEST(Bocu1Decoder, ComparesAsTheDecodedText) {
  // Texts that share starts and differ in every place: surrogates sort by code unit, as decoded text does.
  const std::u16string texts[] = {u"",           u"a",         u"ab",          u"abc",    u"b",
                                  u"take",       u"take care", u"taken",       u"\u3042", u"\u3042\u3044",
                                  u"\U0001F600", u"\uFF41",    u"a\U0001F600", u"a\uFFFD"};
  IcuBocu1 icu;
  for (const std::u16string& stored : texts) {
    ByteRun bytes = icu.Encode(stored);
    bytes.push_back(0);
    for (const std::u16string& text : texts) {
      SCOPED_TRACE(std::to_string(stored.size()) + " against " + std::to_string(text.size()));
      const Bocu1Comparison got = CompareBocu1String(bytes.data(), text);
      EXPECT_EQ(got.order < 0, stored < text);
      EXPECT_EQ(got.order == 0, stored == text);
      EXPECT_EQ(got.beginsWithText, stored.starts_with(text));
    }
  }
}

}  // namespace
}  // namespace tavlex
