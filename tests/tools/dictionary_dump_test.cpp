// Dumping dictionaries in process: every entry of the independent writer's
// dictionaries, hostile keys and control characters included, reads back from
// the TSV exactly; a writer that fails stops the dump.
#include "tools/dump/dictionary_dump.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/utf8.h"
#include "tests/support/testdata_records.h"
#include "tools/formats/tsv_escapes.h"

namespace tavlex::dump {
namespace {

std::vector<std::u16string> SplitAt(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string> parts;
  for (size_t end; (end = text.find(separator)) != std::u16string_view::npos; text.remove_prefix(end + 1)) {
    parts.emplace_back(text.substr(0, end));
  }
  parts.emplace_back(text);
  return parts;
}

class DumpOfIndependentWriter : public ::testing::TestWithParam<const char*> {};

TEST_P(DumpOfIndependentWriter, EveryEntryReadsBackFromTheTsv) {
  if (!testing::HaveTestdata()) GTEST_SKIP() << testing::kNoTestdata;
  const std::string base = testing::TestdataFile(GetParam());
  const auto dictionary = Dictionary::Open(Utf8ToUtf16(base + ".dic"), nullptr);
  ASSERT_NE(dictionary, nullptr);

  std::string tsv;
  const DumpResult result = DumpDictionary(*dictionary, DumpFormat::kTsv, [&tsv](std::string_view text) {
    tsv += text;
    return true;
  });
  EXPECT_TRUE(result.unreadableBlocks.empty());
  EXPECT_FALSE(result.writeFailed);

  const auto expected = testing::ReadExpectedEntries(base + ".records.json");
  std::vector<std::u16string> lines = SplitAt(Utf8ToUtf16(tsv), u'\n');
  ASSERT_EQ(lines.back(), u"");
  lines.pop_back();
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    std::vector<std::u16string> fields = SplitAt(lines[i], u'\t');
    ASSERT_EQ(fields.size(), 5u);
    for (std::u16string& field : fields) field = formats::UnescapeField(field);
    EXPECT_EQ(fields[0], expected[i].key);
    EXPECT_EQ(fields[1], expected[i].display);
    EXPECT_EQ(fields[2], expected[i].translation);
    EXPECT_EQ(fields[3], expected[i].pronunciation);
    EXPECT_EQ(fields[4], expected[i].example);
  }

  int calls = 0;
  const DumpResult refused = DumpDictionary(*dictionary, DumpFormat::kJson, [&calls](std::string_view) {
    ++calls;
    return false;
  });
  EXPECT_TRUE(refused.writeFailed);
  EXPECT_EQ(calls, 1);
}

INSTANTIATE_TEST_SUITE_P(Files, DumpOfIndependentWriter,
                         ::testing::Values("syn_v4_bocu", "syn_v6_ansi_1k_shuffled", "syn_v6_bocu_1000"));

}  // namespace
}  // namespace tavlex::dump
