// The dictionaries of an independent writer decode to exactly the entries it
// says they hold, block by block in index order.
#include <gtest/gtest.h>

#include "engine/dictionary.h"
#include "tests/support/testdata_records.h"

namespace tavlex {
namespace {

std::vector<Entry> DecodeAll(const Dictionary& dictionary) {
  std::vector<Entry> entries;
  for (int32_t i = 0; i < dictionary.indexEntryCount(); ++i) {
    EXPECT_TRUE(dictionary.LoadBlock(dictionary.BlockOfIndexEntry(i), false, entries)) << "index entry " << i;
  }
  return entries;
}

class IndependentWriter : public ::testing::TestWithParam<const char*> {};

TEST_P(IndependentWriter, EveryEntryDecodesExactly) {
  if (!testing::HaveTestdata()) GTEST_SKIP() << testing::kNoTestdata;
  const std::string base = testing::TestdataFile(GetParam());
  const auto dictionary = Dictionary::Open(std::u16string(base.begin(), base.end()) + u".dic", nullptr);
  ASSERT_NE(dictionary, nullptr);

  const auto expected = testing::ReadExpectedEntries(base + ".records.json");
  ASSERT_FALSE(expected.empty());
  const std::vector<Entry> entries = DecodeAll(*dictionary);
  ASSERT_EQ(entries.size(), expected.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(entries[i].key, expected[i].key);
    EXPECT_EQ(entries[i].display, expected[i].display);
    EXPECT_EQ(entries[i].attributes, expected[i].attributes);
    EXPECT_EQ(entries[i].translation, expected[i].translation);
    EXPECT_EQ(entries[i].pronunciation, expected[i].pronunciation);
    EXPECT_EQ(entries[i].example, expected[i].example);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, IndependentWriter,
                         ::testing::Values("syn_v4_bocu", "syn_v6_ansi_1k_shuffled", "syn_v6_bocu_1000"));

}  // namespace
}  // namespace tavlex
