// The least-recently-used block cache, and the lifetime of the entries it hands out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/dictionary_set.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

using ::testing::ElementsAre;

class BlockCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::u16string> keys;
    for (int i = 0; i < 40; ++i) keys.push_back(u"w" + std::u16string(1, static_cast<char16_t>(u'A' + i)));
    // Two records a block: blocks 0 to 19.
    path_ = testing::WriteTestDictionary(dir_, "cache.dic", testing::Words(keys), testing::SmallBlocks(2));
    ASSERT_TRUE(set_.Open(path_));
  }
  Dictionary& dictionary() { return set_.at(0); }
  void Fetch(std::initializer_list<uint32_t> blocks, bool headwordsOnly = false) {
    for (uint32_t b : blocks) ASSERT_NE(dictionary().FetchBlock(b, headwordsOnly), nullptr) << b;
  }

  testing::TempDir dir_;
  std::u16string path_;
  DictionarySet set_;
};

TEST_F(BlockCacheTest, CapacityTwoKeepsThreeInRecentOrder) {
  dictionary().SetCacheSize(2);
  Fetch({1, 2, 3});
  EXPECT_THAT(dictionary().cache().Order(), ElementsAre(3, 2, 1));
  Fetch({1});
  EXPECT_THAT(dictionary().cache().Order(), ElementsAre(1, 3, 2));
  Fetch({4});
  EXPECT_THAT(dictionary().cache().Order(), ElementsAre(4, 1, 3));
}

TEST_F(BlockCacheTest, DefaultCapacityKeepsElevenAndShrinks) {
  EXPECT_EQ(dictionary().settings().cacheSize, 10);
  Fetch({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  EXPECT_EQ(dictionary().cache().size(), 11u);
  Fetch({11});
  EXPECT_EQ(dictionary().cache().size(), 11u);
  EXPECT_EQ(dictionary().cache().Order().back(), 1u);  // block 0 went
  dictionary().SetCacheSize(2);
  EXPECT_THAT(dictionary().cache().Order(), ElementsAre(11, 10));
}

TEST_F(BlockCacheTest, NegativeCapacityKeepsOneBlock) {
  dictionary().SetCacheSize(-5);
  Fetch({1, 2});
  EXPECT_THAT(dictionary().cache().Order(), ElementsAre(2));
  EXPECT_TRUE(dictionary().HasPrefix(u"wA"));
}

TEST_F(BlockCacheTest, HeadwordsOnlyAndFullRecordsOfOneBlock) {
  dictionary().SetCacheSize(5);
  Fetch({1});
  // A headwords-only request is served by the full block.
  const BlockRef full = dictionary().FetchBlock(1, true);
  EXPECT_FALSE(full->headwordsOnly);
  EXPECT_EQ(full->entries[0].translation, u"T:wC");

  Fetch({2}, true);
  Fetch({3});
  EXPECT_THAT(dictionary().cache().Order(), ElementsAre(3, 2, 1));
  // A full request of a headwords-only block reads it again; the old record goes to the tail.
  const BlockRef reread = dictionary().FetchBlock(2, false);
  EXPECT_FALSE(reread->headwordsOnly);
  EXPECT_EQ(reread->entries[0].translation, u"T:wE");
  EXPECT_THAT(dictionary().cache().Order(), ElementsAre(2, 3, 1, 2));
  EXPECT_TRUE(dictionary().FetchBlock(2, true) == reread);
}

TEST_F(BlockCacheTest, RemovedFileServesOnlyCachedBlocks) {
  Fetch({0});
  std::filesystem::remove(std::filesystem::path(path_));
  EXPECT_NE(dictionary().FetchBlock(0, false), nullptr);
  EXPECT_EQ(dictionary().FetchBlock(1, false), nullptr);
  EXPECT_THAT(dictionary().cache().Order(), ElementsAre(0));
}

// Results keep their entries alive through evictions, shrinking and removal.
// (The sanitizer build is what catches a dangling reference here.)
TEST_F(BlockCacheTest, HeldResultsOutliveTheCacheAndTheDictionary) {
  for (int capacity : {0, 1, 2}) {
    SCOPED_TRACE(capacity);
    dictionary().settings().searchMax = 100;
    // Search with room for three blocks (capacity 0 would read none), then shrink.
    dictionary().SetCacheSize(3);
    set_.SearchAll(u"w");
    dictionary().SetCacheSize(capacity);
    const std::vector<EntryRef> held = set_.MergeResults();
    ASSERT_EQ(held.size(), 6u);
    Fetch({10, 11, 12, 13});  // evicts everything the search read
    dictionary().SetCacheSize(0);
    EXPECT_EQ(held[5]->key, u"wF");
    EXPECT_EQ(held[5]->translation, u"T:wF");
  }
  dictionary().SetCacheSize(10);
  set_.SearchAll(u"wA");
  const std::vector<EntryRef> held = set_.MergeResults();
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held[0]->dictionary.lock().get(), &dictionary());
  set_.RemoveAt(0);
  EXPECT_EQ(held[0]->key, u"wA");
  EXPECT_EQ(held[0]->dictionary.lock(), nullptr);
}

}  // namespace
}  // namespace tavlex
