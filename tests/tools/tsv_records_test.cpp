// Reading dictionary records from TSV text: columns, line numbers
// and every line that must be refused; and the records the writer refuses,
// traced back to their lines.
#include "tools/mkdic/tsv_records.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/mkdic/dictionary_build.h"

namespace tavlex::mkdic {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::string_view_literals;

TEST(TsvRecords, ReadsColumnsAndCountsLinesPastEmptyOnes) {
  const TsvRecords read = ReadTsvRecords(
      "\xEF\xBB\xBF"
      "go\t\t1. 行く\\n2. 動く\t/ɡoʊ/\tI go.\\n行く。\r\n"
      "\n"
      "cafe\tcafé\t喫茶店\n"
      "\r\n"
      "empty\t\t\t\t\n"
      "last\t\tno final break");
  EXPECT_TRUE(read.errors.empty());
  ASSERT_EQ(read.records.size(), 4u);
  EXPECT_EQ(read.lines, (std::vector<int>{1, 3, 5, 6}));
  const dicwriter::Record& go = read.records[0];
  EXPECT_EQ(go.key, u"go");  // the byte order mark is not part of it
  EXPECT_EQ(go.display, u"");
  EXPECT_EQ(go.translation, u"1. 行く\r\n2. 動く");
  EXPECT_EQ(go.pronunciation, u"/ɡoʊ/");
  EXPECT_EQ(go.example, u"I go.\r\n行く。");
  EXPECT_EQ(read.records[1].display, u"café");
  EXPECT_EQ(read.records[1].pronunciation, u"");
  EXPECT_EQ(read.records[2].translation, u"");
  EXPECT_EQ(read.records[3].translation, u"no final break");
}

TEST(TsvRecords, ReportsEveryBadLineWithItsNumber) {
  const TsvRecords read = ReadTsvRecords(
      "good\t\tfine\n"
      "two\tcolumns\n"
      "six\t\t\t\t\t\n"
      "\t\tno key\n"
      "tab\\tkey\t\tx\n"
      "break\\nkey\t\tx\n"
      "bad\t\t\\q\n"
      "bad\xC3\t\tutf8\n"
      "nul\t\ta\0b\n"
      "cr\t\ta\rb\n"
      "   \n"
      "also good\t\t\\\\ fine\n"sv);
  ASSERT_EQ(read.errors.size(), 10u);
  const std::vector<int> expectedLines{2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  for (size_t i = 0; i < read.errors.size(); ++i) EXPECT_EQ(read.errors[i].line, expectedLines[i]);
  EXPECT_THAT(read.errors[0].message, HasSubstr("found 2 columns"));
  EXPECT_THAT(read.errors[1].message, HasSubstr("found 6 columns"));
  EXPECT_EQ(read.errors[2].message, "the key is empty");
  EXPECT_EQ(read.errors[3].message, "the key cannot hold a TAB or a line break");
  EXPECT_EQ(read.errors[4].message, "the key cannot hold a TAB or a line break");
  EXPECT_THAT(read.errors[5].message, HasSubstr("unknown escape \\q"));
  EXPECT_EQ(read.errors[6].message, "not valid UTF-8");
  EXPECT_THAT(read.errors[7].message, HasSubstr("control character U+0000"));
  EXPECT_THAT(read.errors[8].message, HasSubstr("control character U+000D"));
  EXPECT_THAT(read.errors[9].message, HasSubstr("found 1 column"));
  EXPECT_EQ(read.lines, (std::vector<int>{1, 12}));
}

TEST(TsvRecords, AReplacementCharacterWrittenInTheFileIsNotAnError) {
  const TsvRecords read = ReadTsvRecords("\xEF\xBF\xBD\t\tthe replacement character\n");
  EXPECT_TRUE(read.errors.empty());
  EXPECT_EQ(read.records.at(0).key, u"\uFFFD");
}

TEST(DictionaryBuild, WritesWhatItReadAndTracesRefusedRecordsToTheirLines) {
  const TsvRecords read = ReadTsvRecords("b\t\tB\n\na\tä\tA\nc\t\t😀\n");
  ASSERT_TRUE(read.errors.empty());
  EXPECT_FALSE(BuildDictionary(read, dicwriter::Options{}).bytes.empty());

  dicwriter::Options ansi;
  ansi.charset = dicwriter::Charset::kAnsi;
  const BuiltDictionary refused = BuildDictionary(read, ansi);
  EXPECT_TRUE(refused.bytes.empty());
  ASSERT_EQ(refused.errors.size(), 2u);
  EXPECT_EQ(refused.errors[0].line, 3);  // a display form, which the ANSI layout cannot store
  EXPECT_THAT(refused.errors[0].message, HasSubstr("display form"));
  EXPECT_EQ(refused.errors[1].line, 4);  // no such character in code page 932
  EXPECT_THAT(refused.errors[1].message, HasSubstr("cannot encode"));
}

TEST(DictionaryBuild, BlockNumbersPast65535TakeFourBytes) {
  const TsvRecords read = ReadTsvRecords("a\t\tA\nb\t\tB\nc\t\tC\n");
  dicwriter::Options options;
  options.firstBlockNumber = 65534;
  options.maxRecordsPerBlock = 1;
  const BuiltDictionary built = BuildDictionary(read, options);
  EXPECT_TRUE(built.errors.empty());
  EXPECT_FALSE(built.bytes.empty());
}

TEST(DictionaryBuild, NoRecordsIsAnErrorOfTheWholeInput) {
  EXPECT_THAT(BuildDictionary(ReadTsvRecords("\n\n"), dicwriter::Options{}).errors,
              ElementsAre(LineError{0, "holds no records"}));
}

}  // namespace
}  // namespace tavlex::mkdic
