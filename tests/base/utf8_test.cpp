#include "base/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavlex {
namespace {

TEST(Utf8Test, WellFormedTextRoundTrips) {
  // One to four bytes per code point, including the edges of each range.
  const std::string utf8 = "a\x7F\xC2\x80\xDF\xBF\xE8\x8B\xB1\xEF\xBF\xBF\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF";
  const std::u16string utf16 = u"a\x7F\x80\x7FF\x82F1\xFFFF\xD83D\xDE00\xDBFF\xDFFF";
  EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
}

TEST(Utf8Test, IllFormedBytesBecomeReplacementCharacters) {
  const struct {
    std::string bytes;
    std::u16string expected;
  } cases[] = {
      {"a\x80z", u"a\xFFFDz"},                            // lone continuation byte
      {"\xC0\x80", u"\xFFFD\xFFFD"},                      // overlong NUL, lead never valid
      {"\xE0\x80\x80", u"\xFFFD\xFFFD\xFFFD"},            // overlong three-byte form
      {"\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},  // above U+10FFFF
      {"\xF5z", u"\xFFFDz"},
      {"\xE8\x8Bz", u"\xFFFDz"},      // cut short: the breaking byte survives
      {"z\xF0\x9F\x98", u"z\xFFFD"},  // cut short by the end of the buffer
      {"\xE8", u"\xFFFD"},
  };
  for (const auto& c : cases) {
    size_t replaced = 0;
    EXPECT_EQ(Utf8ToUtf16(c.bytes, &replaced), c.expected) << testing::PrintToString(c.bytes);
    EXPECT_EQ(replaced, static_cast<size_t>(std::count(c.expected.begin(), c.expected.end(), u'\xFFFD')));
  }
  // A U+FFFD written out in the text is valid, not a replacement.
  size_t replaced = 1;
  EXPECT_EQ(Utf8ToUtf16("\xEF\xBF\xBD", &replaced), u"\xFFFD");
  EXPECT_EQ(replaced, 0u);
}

TEST(Utf8Test, UnpairedSurrogatesAreWrittenAsReplacementCharacters) {
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(Utf16ToUtf8(u"a\xD83D"), "a" + replacement);               // high at the end
  EXPECT_EQ(Utf16ToUtf8(u"\xDE00z"), replacement + "z");               // lone low
  EXPECT_EQ(Utf16ToUtf8(u"\xDE00\xD83D"), replacement + replacement);  // reversed pair
  EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xD83D\xDE00"), replacement + "\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace tavlex
