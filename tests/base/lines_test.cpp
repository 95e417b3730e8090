// Lines of files and CR LF paragraph breaks.
#include "base/lines.h"

#include <gtest/gtest.h>

namespace tavlex {
namespace {

using Lines = std::vector<std::string_view>;
using Pieces = std::vector<std::u16string_view>;

TEST(LinesTest, FileLinesEndAtLfWithAnOptionalCrAndTheBomIsSkipped) {
  EXPECT_EQ(SplitLines("a\r\nb\n\nc\r"), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(SplitLines("a\n"), (Lines{"a"}));  // a final LF starts no further line
  EXPECT_EQ(SplitLines("x\ry\n\r\n"), (Lines{"x\ry", ""}));
  EXPECT_EQ(SplitLines("x\r\r\ny\r\r"), (Lines{"x", "y"}));
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SkipUtf8Bom("\xEF\xBB\xBF[a]"), "[a]");
  EXPECT_EQ(SkipUtf8Bom("[a]\xEF\xBB\xBF"), "[a]\xEF\xBB\xBF");
  EXPECT_EQ(SkipUtf8Bom("\xEF\xBB\xBF\xEF\xBB\xBF[a]"), "[a]");  // a mark added twice
}

TEST(LinesTest, OnlyCrLfPairsBreakParagraphs) {
  EXPECT_EQ(SplitAtCrLf(u"one\r\ntwo\r\n"), (Pieces{u"one", u"two", u""}));
  EXPECT_EQ(SplitAtCrLf(u"lone\rcr\nlf"), (Pieces{u"lone\rcr\nlf"}));
  EXPECT_EQ(SplitAtCrLf(u""), (Pieces{u""}));
  EXPECT_EQ(SplitAtCrLf(u"\r\r\n"), (Pieces{u"\r", u""}));
  EXPECT_EQ(CrLfToLf(u"a\r\n\r\nb\r\n"), u"a\n\nb\n");
  EXPECT_EQ(CrLfToLf(u"a\rb\n"), u"a\rb\n");
}

}  // namespace
}  // namespace tavlex
