// The text formats the tools share, in the cases their end-to-end tests
// leave out: JSON escaping, and the escapes of a TSV field both ways.
#include <gtest/gtest.h>

#include "tools/formats/json_text.h"
#include "tools/formats/tsv_escapes.h"

namespace tavlex::formats {
namespace {

std::string Json(std::u16string_view text) {
  std::string out;
  AppendJsonString(out, text);
  return out;
}

TEST(JsonText, EscapesQuotesBackslashesAndEveryControlCharacter) {
  EXPECT_EQ(Json(u""), R"("")");
  EXPECT_EQ(Json(u"say \"hi\" \\ bye"), R"("say \"hi\" \\ bye")");
  EXPECT_EQ(Json(u"a\r\nb\tc\bd\fe"), R"("a\r\nb\tc\bd\fe")");
  EXPECT_EQ(Json(std::u16string(u"\0\x01\x1f", 3)), R"("\u0000\u0001\u001f")");
  EXPECT_EQ(Json(u" ~\x7f"), "\" ~\x7f\"");  // printable and DEL pass as they are
}

TEST(JsonText, WritesUtf8AndReplacesUnpairedSurrogates) {
  EXPECT_EQ(Json(u"café 辞書 😀"), "\"café 辞書 😀\"");
  EXPECT_EQ(Json(u"a\xD800z"), "\"a\xEF\xBF\xBDz\"");
  EXPECT_EQ(Json(u"\xDC00"), "\"\xEF\xBF\xBD\"");
}

TEST(TsvEscapes, DecodesTheKnownEscapesAndRefusesOthers) {
  EXPECT_EQ(UnescapeField(u"a\\nb\\tc\\\\n"), u"a\r\nb\tc\\n");
  EXPECT_EQ(UnescapeField(u""), u"");
  EXPECT_EQ(UnescapeField(u"C:\\\\dic"), u"C:\\dic");
  EXPECT_EQ(UnescapeField(u"\\u000da\\u000A\\u00e9"), u"\ra\n\u00e9");
  for (const std::u16string_view bad :
       {u"a\\x", u"a\\", u"\\r", u"\\u12", u"\\u12g4", u"\\u0000", u"\\uD800", u"\\uDFFF"}) {
    EXPECT_THROW(UnescapeField(bad), TsvError) << ::testing::PrintToString(std::u16string(bad));
  }
}

TEST(TsvEscapes, EscapingReadsBackAsTheSameText) {
  const std::u16string text = u"1. 行く\r\n\t\\n\r lone\n\x01\x1F end\r";
  EXPECT_EQ(EscapeField(text), u"1. 行く\\n\\t\\\\n\\u000D lone\\u000A\\u0001\\u001F end\\u000D");
  EXPECT_EQ(UnescapeField(EscapeField(text)), text);
}

}  // namespace
}  // namespace tavlex::formats
