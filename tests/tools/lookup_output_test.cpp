// What tavlex-lookup prints for an entry, in the cases its end-to-end tests
// leave out: JSON escaping, and the parts the viewer shows even when empty.
#include <gtest/gtest.h>

#include "tools/lookup/entry_output.h"
#include "tools/lookup/json_text.h"

namespace tavlex::lookup {
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

TEST(PlainEntry, EmptyTranslationEmptyShownPartsAndLineBreaks) {
  DictionarySettings settings;
  settings.showPhonetic = true;
  settings.showSample = true;
  Entry entry;
  entry.key = u"go";
  // The translation is always a part, even empty; empty shown parts are not.
  EXPECT_EQ(FormatPlainEntry(entry, settings), "go\n\n");
  entry.translation = u"one\ntwo\r\n";  // a lone LF breaks too; a final CR LF leaves an empty line
  EXPECT_EQ(FormatPlainEntry(entry, settings), "go\none\ntwo\n\n");
}

}  // namespace
}  // namespace tavlex::lookup
