// Search compared with a plain model computed from the records the writer
// placed in each block: random dictionaries in both layouts and several block
// sizes, random queries, random limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/dictionary_set.h"
#include "engine/text/text.h"
#include "tests/support/random_dictionary.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

using dicwriter::Charset;
using dicwriter::Record;
using dicwriter::WrittenDictionary;

struct Expected {
  std::vector<std::u16string> keys;
  bool exact = false;
};

// The model: the index position is the last block whose first stored headword
// is not above the query; matches are the contiguous run of keys beginning
// with the query, found in that block or the next, within cacheSize blocks.
class Model {
 public:
  Model(const WrittenDictionary& written, Charset charset) : written_(written), charset_(charset) {}

  size_t IndexPosition(const std::u16string& query) const {
    size_t position = 0;
    for (size_t b = 1; b < written_.blocks.size(); ++b) {
      if (!QueryBefore(query, written_.records[written_.blocks[b].firstRecord])) position = b;
    }
    return position;
  }

  Expected Search(const std::u16string& query, int searchMax, int cacheSize) const {
    Expected expected;
    const size_t start = IndexPosition(query);
    const size_t end = std::min(written_.blocks.size(), start + static_cast<size_t>(std::max(cacheSize, 0)));
    if (start >= end) return expected;
    const size_t first = written_.blocks[start].firstRecord;
    const size_t last = written_.blocks[end - 1].firstRecord + written_.blocks[end - 1].recordCount;
    const size_t twoBlocksEnd =
        start + 1 < end ? written_.blocks[start + 1].firstRecord + written_.blocks[start + 1].recordCount
                        : last;
    size_t r = first;
    while (r < twoBlocksEnd && !BeginsWith(written_.records[r].key, query)) ++r;
    if (r == twoBlocksEnd) return expected;
    for (; r < last && BeginsWith(written_.records[r].key, query); ++r) {
      expected.keys.push_back(written_.records[r].key);
      expected.exact = expected.exact || written_.records[r].key == query;
      if (static_cast<int>(expected.keys.size()) >= std::max(searchMax, 1)) break;
    }
    return expected;
  }

  // The blocks whose keys may begin with prefix, as Dictionary::PrefixBlocks gives them.
  std::pair<size_t, size_t> PrefixSpan(const std::u16string& prefix) const {
    std::pair<size_t, size_t> span{0, 0};
    for (size_t b = 0; b < written_.blocks.size(); ++b) {
      const Record& first = written_.records[written_.blocks[b].firstRecord];
      const std::vector<uint8_t> stored = dicwriter::EncodeHeadword(first, charset_);
      const std::vector<uint8_t> bytes = dicwriter::EncodeHeadword({prefix, u"", 0, u"", u"", u""}, charset_);
      // BOCU-1 bytes sort as code points; the file sorts UTF-16 units, the same for these alphabets.
      const bool before =
          std::lexicographical_compare(stored.begin(), stored.end(), bytes.begin(), bytes.end());
      const bool begins =
          stored.size() >= bytes.size() && std::equal(bytes.begin(), bytes.end(), stored.begin());
      if (before) span.first = b;
      if (before || begins) span.second = b;
    }
    return span;
  }

 private:
  bool QueryBefore(const std::u16string& query, const Record& headword) const {
    if (charset_ == Charset::kBocu1) {
      const std::u16string stored =
          headword.display.empty() ? headword.key : headword.key + u"\t" + headword.display;
      return query < stored;
    }
    const std::vector<uint8_t> stored = dicwriter::EncodeHeadword(headword, charset_);
    const std::vector<uint8_t> bytes = dicwriter::EncodeHeadword({query, u"", 0, u"", u"", u""}, charset_);
    return std::lexicographical_compare(bytes.begin(), bytes.end(), stored.begin(), stored.end());
  }

  const WrittenDictionary& written_;
  Charset charset_;
};

TEST(Search, MatchesThePlainModel) {
  std::mt19937 random(424242);
  testing::TempDir dir;
  for (int round = 0; round < 48; ++round) {
    const Charset charset = round % 2 ? Charset::kAnsi : Charset::kBocu1;
    // A small alphabet gives long runs of shared prefixes.
    testing::RandomText text(random, charset == Charset::kBocu1 ? u"abcé\u3042\uFF5A" : u"abc\u3042\u6F22");
    const dicwriter::Options options = testing::RandomLayout(text, charset);
    std::vector<Record> records;
    const int count = 1 + text.Pick(300);
    for (int i = 0; i < count; ++i) {
      records.push_back({text.Word(6), u"", 0, u"t", u"", u""});
      if (charset == Charset::kBocu1 && text.Pick(5) == 0) records.back().display = u"Shown";
    }
    const std::string name = "random" + std::to_string(round) + ".dic";
    const WrittenDictionary written = testing::WriteRandomDictionary(dir, name, std::move(records), options);

    DictionarySet set;
    ASSERT_TRUE(set.Open(dir.File(name)));
    Dictionary& dictionary = set.at(0);
    const Model model(written, charset);
    for (int q = 0; q < 60; ++q) {
      std::u16string query;
      switch (q % 6) {
        case 0:
          query = written.records[random() % written.records.size()].key;
          break;
        case 1:
          query = written.records[random() % written.records.size()].key.substr(0, 1 + random() % 2);
          break;
        case 2:
          query = text.Word(7);
          break;
        case 3:
          query = written.records[random() % written.records.size()].key + u"a";
          break;
        case 4:
          query = q % 12 == 4 ? u"" : u"\u0001";
          break;  // before the first
        case 5:
          query = charset == Charset::kBocu1 ? u"\uFFEE" : u"\u6F22\u6F22\u6F22\u6F22";
          break;
      }
      const int searchMax = static_cast<int>(random() % 40) - 1;
      const int cacheSize = static_cast<int>(random() % 7);
      dictionary.settings().searchMax = searchMax;
      dictionary.SetCacheSize(cacheSize);
      SCOPED_TRACE("round " + std::to_string(round) + " query #" + std::to_string(q) + " searchMax " +
                   std::to_string(searchMax) + " cacheSize " + std::to_string(cacheSize));

      ASSERT_EQ(static_cast<size_t>(dictionary.FindIndexEntry(query)), model.IndexPosition(query));
      const auto [first, last] = model.PrefixSpan(query);
      const Dictionary::BlockSpan span = dictionary.PrefixBlocks(query, dictionary.AllBlocks());
      ASSERT_EQ(std::pair(static_cast<size_t>(span.first), static_cast<size_t>(span.last)),
                std::pair(first, last));
      // Within the span of the query's first letter, the same.
      const Dictionary::BlockSpan outer = dictionary.PrefixBlocks(query.substr(0, 1), dictionary.AllBlocks());
      const Dictionary::BlockSpan inner = dictionary.PrefixBlocks(query, outer);
      ASSERT_EQ(std::pair(inner.first, inner.last), std::pair(span.first, span.last));
      const bool exact = dictionary.Search(query);
      const Expected expected = model.Search(query, searchMax, cacheSize);
      std::vector<std::u16string> keys;
      for (const EntryRef& entry : dictionary.results()) keys.push_back(entry->key);
      ASSERT_EQ(keys, expected.keys);
      ASSERT_EQ(exact, expected.exact);
    }
  }
}

// The cases a user meets, on one small dictionary.
class SearchCases : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::u16string> keys;
    for (int i = 0; i < 50; ++i)
      keys.push_back(u"ab" + std::u16string(1, static_cast<char16_t>(u'a' + i / 10)) +
                     std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
    keys.push_back(u"b");
    auto records = testing::Words(keys);
    records.push_back({u"abc", u"ABC", 0, u"shown", u"", u""});
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "cases.dic", records, testing::SmallBlocks(5))));
    dictionary().settings().searchMax = 30;
  }
  Dictionary& dictionary() { return set_.at(0); }
  std::vector<std::u16string> Keys() {
    std::vector<std::u16string> keys;
    for (const EntryRef& entry : dictionary().results()) keys.push_back(entry->key);
    return keys;
  }

  testing::TempDir dir_;
  DictionarySet set_;
};

TEST_F(SearchCases, LimitsAndExactness) {
  dictionary().SetCacheSize(20);
  EXPECT_FALSE(dictionary().Search(u"ab"));
  EXPECT_EQ(Keys().size(), 30u);
  EXPECT_EQ(Keys().front(), u"aba0");
  EXPECT_EQ(Keys().back(), u"abc8");  // abc, with its display form, sorts before abc0

  EXPECT_TRUE(dictionary().Search(u"abc"));
  EXPECT_EQ(dictionary().results().front()->display, u"ABC");
  EXPECT_FALSE(dictionary().Search(u"ABC"));
  EXPECT_TRUE(dictionary().results().empty());

  dictionary().settings().searchMax = 0;
  EXPECT_TRUE(dictionary().Search(u"b"));
  EXPECT_EQ(Keys(), std::vector<std::u16string>{u"b"});

  dictionary().settings().searchMax = 3;
  EXPECT_FALSE(dictionary().Search(u""));
  EXPECT_EQ(Keys(), (std::vector<std::u16string>{u"aba0", u"aba1", u"aba2"}));

  dictionary().SetCacheSize(0);
  EXPECT_FALSE(dictionary().Search(u"b"));
  EXPECT_TRUE(dictionary().results().empty());
}

TEST_F(SearchCases, FirstMatchAtTheStartOfTheNextBlock) {
  // Five records a block: abb0 begins the third block, and "abb" sorts before
  // it, so the index search lands on the second block, which has no match.
  EXPECT_FALSE(dictionary().Search(u"abb"));
  EXPECT_EQ(Keys().front(), u"abb0");
  EXPECT_TRUE(dictionary().HasPrefix(u"abb"));
  EXPECT_FALSE(dictionary().HasPrefix(u"abz"));
  EXPECT_EQ(dictionary().TranslationOf(u"abb3"), u"T:abb3");
  EXPECT_EQ(dictionary().TranslationOf(u"abb"), u"");
}

}  // namespace
}  // namespace tavlex
