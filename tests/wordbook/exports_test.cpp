// The exports field by field: Anki's text file with its headers, RFC 4180
// CSV, JSON lines read back; and the times they and the command line write
// and read.
#include "wordbook/exports.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/utf8.h"
#include "tests/wordbook/kept_samples.h"
#include "wordbook/kept_time.h"

namespace tavlex::wordbook {
namespace {

using testing::Kept;

// 2026-12-09 05:03:27 UTC.
constexpr int64_t kTime = 1'796'792'607'000;

std::vector<KeptEntry> Entries() {
  KeptEntry first = Kept({.headword = u"take care of",
                          .translation = u"世話をする\r\n<注意> & \"用心\"",
                          .source = u"She took care of it.",
                          .begin = 4,
                          .end = 16,
                          .keptAt = kTime,
                          .example = u"Take\tcare.",
                          .pronunciation = u"/teɪk/"});
  first.id = 7;
  KeptEntry second =
      Kept({.headword = u"#tag", .translation = u"a,b", .source = u"line\none", .keptAt = kTime});
  second.id = 9;
  second.dictionaryName = u"Other \"dic\"";
  return {first, second};
}

TEST(Exports, AnkiTextHasItsHeadersAndAnHtmlFieldPerColumn) {
  std::ostringstream out;
  WriteAnkiText(Entries(), {"Basic", "Japanese::単語", "tavlex\nenglish"}, out);
  EXPECT_EQ(out.str(),
            "#separator:tab\n"
            "#html:true\n"
            "#notetype:Basic\n"
            "#deck:Japanese::単語\n"
            "#tags:tavlex english\n"
            "#columns:Front\tBack\tPronunciation\tExample\tSource\tDictionary\n"
            "take care of\t世話をする<br>&lt;注意&gt; &amp; &quot;用心&quot;\t/teɪk/\tTake&#9;care.\t"
            "She <b>took care of</b> it.\tEnglish\n"
            "&#35;tag\ta,b\t\t\tline<br>one\tOther &quot;dic&quot;\n");
  std::ostringstream untagged;
  WriteAnkiText({}, {"Basic", "Default", ""}, untagged);
  EXPECT_EQ(untagged.str().find("#tags"), std::string::npos);
}

TEST(Exports, CsvQuotesAFieldOnlyWhereRfc4180NeedsIt) {
  std::ostringstream out;
  WriteCsv(Entries(), out);
  EXPECT_EQ(
      out.str(),
      "id,kept,dictionary,dictionary_name,headword,pronunciation,translation,example,source,covered_begin,"
      "covered_end\r\n"
      "7,2026-12-09T05:03:27Z,/dic/english.dic,English,take care of,/teɪk/,\"世話をする\r\n<注意> & "
      "\"\"用心\"\"\",Take\tcare.,She took care of it.,4,16\r\n"
      "9,2026-12-09T05:03:27Z,/dic/english.dic,\"Other \"\"dic\"\"\",#tag,,\"a,b\",,\"line\none\",0,0\r\n");
}

TEST(Exports, JsonLinesReadBackToTheEntries) {
  std::vector<KeptEntry> entries = Entries();
  entries[1].headword = u"half \xD800 pair";
  std::ostringstream out;
  WriteJsonLines(entries, out);
  std::istringstream in(out.str());
  std::string line;
  for (const KeptEntry& entry : entries) {
    ASSERT_TRUE(std::getline(in, line));
    const nlohmann::json read = nlohmann::json::parse(line);
    EXPECT_EQ(read["id"], entry.id);
    EXPECT_EQ(read["kept"], "2026-12-09T05:03:27Z");
    EXPECT_EQ(read["dictionary"], Utf16ToUtf8(entry.dictionaryPath));
    EXPECT_EQ(read["dictionary_name"], Utf16ToUtf8(entry.dictionaryName));
    EXPECT_EQ(read["translation"], Utf16ToUtf8(entry.translation));
    EXPECT_EQ(read["example"], Utf16ToUtf8(entry.example));
    EXPECT_EQ(read["pronunciation"], Utf16ToUtf8(entry.pronunciation));
    EXPECT_EQ(read["source"], Utf16ToUtf8(entry.sourceText));
    EXPECT_EQ(read["covered_begin"], entry.coveredBegin);
    EXPECT_EQ(read["covered_end"], entry.coveredEnd);
  }
  EXPECT_EQ(nlohmann::json::parse(out.str().substr(out.str().find('\n') + 1))["headword"],
            "half \uFFFD pair");
  EXPECT_FALSE(std::getline(in, line));
}

TEST(KeptTime, LocalTimesAreReadAsTypedAndWrittenBack) {
  ::setenv("TZ", "JST-9", 1);
  ::tzset();
  struct Case {
    const char* text;
    std::optional<int64_t> ms;
  };
  const Case cases[] = {
      {"2026-12-09", kTime - (14 * 3600 + 3 * 60 + 27) * 1000},
      {"2026-12-09T14:03", kTime - 27'000},
      {"2026-12-09 14:03", kTime - 27'000},
      {"2026-12-09T14:03:27", kTime},
      {"2026-02-29", std::nullopt},
      {"2026-12-9", std::nullopt},
      {"2026-12-09T24:00", std::nullopt},
      {"2026-12-09 14:3", std::nullopt},
      {"2026-12-09T2", std::nullopt},
      {"2026-12-09x14:03", std::nullopt},
      {"yesterday", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLocalTime(c.text), c.ms) << c.text;
  EXPECT_EQ(LocalTime(kTime), "2026-12-09 14:03");
  EXPECT_EQ(UtcTime(kTime), "2026-12-09T05:03:27Z");
  ::unsetenv("TZ");
  ::tzset();
}

}  // namespace
}  // namespace tavlex::wordbook
