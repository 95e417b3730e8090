// The tokenizing rule and the characters stripped from a search word.
#include "engine/text/text.h"

#include <gtest/gtest.h>

namespace tavlex {
namespace {

TEST(NextToken, SkipsDelimitersAndEndsAtMinusOne) {
  const std::u16string text = u"\t\tkey\tshown\t\textra";
  int position = 0;
  EXPECT_EQ(NextToken(text, u"\t", &position), u"key");
  EXPECT_EQ(NextToken(text, u"\t", &position), u"shown");
  EXPECT_EQ(NextToken(text, u"\t", &position), u"extra");
  EXPECT_EQ(position, static_cast<int>(text.size()));
  EXPECT_EQ(NextToken(text, u"\t", &position), u"");
  EXPECT_EQ(position, -1);
  position = 0;
  EXPECT_EQ(NextToken(u" \t ", u" \t", &position), u"");
  EXPECT_EQ(position, -1);
}

TEST(StripSearchWord, BothEndsOnly) {
  EXPECT_EQ(StripSearchWord(u"  !?"), u"");
  EXPECT_EQ(StripSearchWord(u"(word)"), u"word");
  EXPECT_EQ(StripSearchWord(u"\u3000don't."), u"don't");
  EXPECT_EQ(StripSearchWord(u"{[\"'a b'\"]},"), u"a b");
  EXPECT_EQ(StripSearchWord(u"\u3042"), u"\u3042");
}

TEST(HalfWidthAscii, FullWidthAsciiAndTheSpacesBetween) {
  struct Case {
    std::u16string_view text;
    std::optional<std::u16string> half;
  };
  const Case cases[] = {
      {u"ｒｉｖｅｒ", u"river"},
      {u"！～＼", u"!~\\"},                   // both ends of the range
      {u"Ａ\u3000Ｂ", u"A B"},                // the space an input method types between
      {u"ｒ\uFF5F\uFF00", u"r\uFF5F\uFF00"},  // just outside it: as it was
      {u"ｶﾀｶﾅ", std::nullopt},                // half-width katakana is not ASCII
      {u"\u3000", std::nullopt},
      {u"river", std::nullopt},
      {u"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(HalfWidthAscii(c.text), c.half);
}

}  // namespace
}  // namespace tavlex
