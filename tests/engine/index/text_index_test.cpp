// Index files as untrusted input (built from something else, cut short,
// damaged, hostile), and the background builds of TextIndexes with their
// files in the cache folder.
#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <mutex>
#include <random>

#include "engine/dictionary_set.h"
#include "engine/format/little_endian.h"
#include "engine/index/index_build.h"
#include "engine/index/posting_list.h"
#include "engine/index/text_indexes.h"
#include "engine/search/set_search.h"
#include "engine/text/text_folding.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

std::span<const uint8_t> Bytes(const std::string& bytes) {
  return {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class IndexFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<dicwriter::Record> records;
    for (int i = 0; i < 300; ++i) {
      const std::u16string key = {u'w', static_cast<char16_t>(u'a' + i % 26),
                                  static_cast<char16_t>(u'a' + i / 26)};
      // Each translation has a character of its own.
      records.push_back(
          {key, u"", 0, u"\u8A33\u8A9E " + std::u16string(1, static_cast<char16_t>(0x4E00 + i)), u"", u""});
    }
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "words.dic", records, testing::SmallBlocks(4))));
    stamp_ = *StampOf(dictionary());
    BuildControl control;
    bytes_ = *BuildIndexFile(dictionary(), stamp_, &control);
  }
  Dictionary& dictionary() { return set_.at(0); }
  // The blocks for a few queries, or none when the index reports damage.
  std::vector<std::optional<std::vector<uint32_t>>> Answers(const TextIndex& index) {
    std::vector<std::optional<std::vector<uint32_t>>> answers;
    for (const char16_t* query : {u"wa", u"\u8A33", u"\u4E05", u"zz"}) {
      std::vector<Gram> grams;
      AppendQueryGrams(FoldedChars(query, kWidestFolding), grams);
      answers.push_back(index.Candidates(grams));
    }
    return answers;
  }
  // What the index counts for the same queries (each one gram), or none when it reports damage.
  std::vector<std::optional<GramCounts>> Counts(const TextIndex& index) {
    std::vector<std::optional<GramCounts>> counts;
    for (const char16_t* query : {u"wa", u"\u8A33", u"\u4E05", u"zz"}) {
      std::vector<Gram> grams;
      AppendQueryGrams(FoldedChars(query, kWidestFolding), grams);
      counts.push_back(index.Counts(grams.at(0)));
    }
    return counts;
  }

  // What the index counts from its words for a few queries, or none when it reports damage.
  std::vector<std::optional<uint64_t>> WordCounts(const TextIndex& index) {
    std::vector<std::optional<uint64_t>> counts;
    for (const std::vector<std::string>& terms : std::vector<std::vector<std::string>>{
             {"wa"}, {"w"}, {"ab"}, {"wa", "b"}, {"wab", "zz"}, {"wa", "wa", "w"}})
      counts.push_back(index.CountHoldingWords(terms));
    return counts;
  }

  testing::TempDir dir_;
  DictionarySet set_;
  IndexStamp stamp_;
  std::string bytes_;
};

TEST_F(IndexFileTest, BuiltFromSomethingElseIsRefused) {
  ASSERT_TRUE(TextIndex::FromBytes(bytes_, stamp_));
  const auto changed = [&](auto change) {
    IndexStamp other = stamp_;
    change(other);
    return TextIndex::FromBytes(bytes_, other);
  };
  EXPECT_FALSE(changed([](IndexStamp& s) { s.path += u"x"; }));
  EXPECT_FALSE(changed([](IndexStamp& s) { ++s.size; }));
  EXPECT_FALSE(changed([](IndexStamp& s) { ++s.modified; }));
  EXPECT_FALSE(changed([](IndexStamp& s) { ++s.checksum; }));
  EXPECT_FALSE(changed([](IndexStamp& s) { ++s.blockCount; }));
}

TEST_F(IndexFileTest, CutShortOrDamagedIsNeverTrusted) {
  const auto sound = TextIndex::FromBytes(bytes_, stamp_);
  const auto expected = Answers(*sound);
  // A character of one record: the blocks of one unit.
  ASSERT_EQ(expected[2]->size(), BlocksPerUnit(dictionary().layout().blockSize));
  ASSERT_TRUE(expected[3]->empty());
  // Keys holding "wa" ("wa?" and "wwa"), "訳" in every translation, one record's
  // own character, and nothing.
  const auto counted = Counts(*sound);
  EXPECT_EQ(counted[0], (GramCounts{13, 13, 13, 13}));
  EXPECT_EQ(counted[1], (GramCounts{300, 0, 300, 0}));
  EXPECT_EQ(counted[2], (GramCounts{1, 0, 1, 0}));
  EXPECT_EQ(counted[3], GramCounts{});
  // The keys holding "wa", every key, "wab" alone for "ab" and for "wa" with
  // "b", none with "zz", and "wa" again whatever it is repeated with.
  const auto words = WordCounts(*sound);
  EXPECT_EQ(words, (std::vector<std::optional<uint64_t>>{13, 300, 1, 1, 0, 13}));
  for (size_t length = 0; length < bytes_.size(); length += 1 + length / 16) {
    EXPECT_FALSE(TextIndex::FromBytes(bytes_.substr(0, length), stamp_)) << length;
  }
  // Every byte is covered by a checksum: a change is refused when the file is
  // opened, or reported when its posting or counts are read.
  for (size_t at = 0; at < bytes_.size(); at += 1 + at / 64) {
    std::string damaged = bytes_;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x21);
    const auto index = TextIndex::FromBytes(damaged, stamp_);
    if (!index) continue;
    const auto answers = Answers(*index);
    const auto counts = Counts(*index);
    const auto wordCounts = WordCounts(*index);
    for (size_t q = 0; q < wordCounts.size(); ++q) {
      if (wordCounts[q]) {
        EXPECT_EQ(wordCounts[q], words[q]) << "byte " << at;
      }
    }
    for (size_t q = 0; q < answers.size(); ++q) {
      if (answers[q]) {
        EXPECT_EQ(answers[q], expected[q]) << "byte " << at;
      }
      if (counts[q]) {
        EXPECT_EQ(counts[q], counted[q]) << "byte " << at;
      }
    }
  }
}

TEST_F(IndexFileTest, AGramCountThatDisagreesWithThePagesIsRefused) {
  // The header as the writer made it, with another gram count and its checksum mended.
  const auto withGrams = [&](uint32_t grams) {
    std::string bytes = bytes_;
    for (int i = 0; i < 4; ++i) bytes[40 + i] = static_cast<char>(grams >> (8 * i));
    const uint32_t pathLength = ReadU32(reinterpret_cast<const uint8_t*>(bytes.data()) + 44);
    const uint32_t pages = ReadU32(reinterpret_cast<const uint8_t*>(bytes.data()) + 52);
    const uint32_t wordPages = ReadU32(reinterpret_cast<const uint8_t*>(bytes.data()) + 64);
    const uint64_t sum =
        HeaderChecksum(bytes.data(), bytes.data() + kIndexHeaderSize,
                       pathLength + uint64_t{pages} * kPageRow + uint64_t{wordPages} * kWordPageRow);
    for (int i = 0; i < 8; ++i) bytes[kCheckedHeader + i] = static_cast<char>(sum >> (8 * i));
    return bytes;
  };
  const uint32_t pages = ReadU32(reinterpret_cast<const uint8_t*>(bytes_.data()) + 52);
  ASSERT_GT(pages, 1u);
  struct Case {
    uint32_t grams;
    bool accepted;
  };
  for (const Case& c : {Case{ReadU32(reinterpret_cast<const uint8_t*>(bytes_.data()) + 40), true},
                        Case{(pages - 1) * 128 + 1, true},  // the fewest that need this many pages
                        Case{pages * 128, true},            // the most
                        Case{(pages - 1) * 128, false},     // one page fewer would hold them
                        Case{pages * 128 + 1, false},       // they need one page more
                        Case{0, false}, Case{0xFFFFFFFF, false}}) {
    EXPECT_EQ(TextIndex::FromBytes(withGrams(c.grams), stamp_) != nullptr, c.accepted) << c.grams;
  }
}

TEST(PostingList, EveryEncodingRoundTripsAndHostileBytesAreRefused) {
  std::vector<uint32_t> units;
  // A few units (a list), nearly all (a complement), about half (a bitmap).
  for (const std::vector<uint32_t>& posting : {std::vector<uint32_t>{3, 70, 900}, std::vector<uint32_t>{}}) {
    ASSERT_TRUE(DecodePosting(Bytes(EncodePosting(posting, 1000)), 1000, &units));
    EXPECT_EQ(units, posting);
  }
  std::vector<uint32_t> most;
  std::vector<uint32_t> even;
  for (uint32_t u = 0; u < 1000; ++u) {
    if (u != 500) most.push_back(u);
    if (u % 2 == 0) even.push_back(u);
  }
  for (const std::vector<uint32_t>& posting : {most, even}) {
    const std::string bytes = EncodePosting(posting, 1000);
    EXPECT_LT(bytes.size(), 130u);
    ASSERT_TRUE(DecodePosting(Bytes(bytes), 1000, &units));
    EXPECT_EQ(units, posting);
  }
  const std::string hostile[] = {
      {},
      "\x10\x01\x02\x03",                                  // a list of four cut short
      std::string("\x08\x05\x00\x01", 4),                  // bytes left over
      "\x08\x05\x7F",                                      // a unit beyond the last
      "\x04\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F",      // a varint past 64 bits
      "\x03",                                              // an unknown kind
      std::string("\x06\x03", 2) + std::string(15, '\0'),  // a bitmap counting one it lacks
      std::string("\x02", 1) + std::string(15, '\0'),      // a bitmap of the wrong size
      "\x2A\x80",                                          // one byte of a two-byte varint
  };
  std::vector<uint64_t> bits(2);
  for (const std::string& bytes : hostile) {
    EXPECT_FALSE(DecodePosting(Bytes(bytes), 125, &units)) << bytes.size();
    EXPECT_FALSE(AddPosting(Bytes(bytes), 125, bits)) << bytes.size();
  }
}

// A posting added to bits already set holds the union, in every encoding,
// at unit counts on and off a 64-bit boundary.
TEST(PostingList, AddingAPostingSetsItsUnitsAndNoOthers) {
  std::mt19937 random(99);
  struct Case {
    uint32_t unitCount;
    uint32_t inEvery;  // about one unit in this many holds the gram
  };
  for (const Case& c : {Case{1, 1}, Case{64, 2}, Case{1000, 100}, Case{1000, 1}, Case{1001, 2}, Case{129, 3},
                        Case{5000, 1}, Case{70, 70}}) {
    for (int round = 0; round < 20; ++round) {
      std::vector<uint32_t> posting;
      std::vector<bool> expected(c.unitCount);
      std::vector<uint64_t> bits((c.unitCount + 63) / 64);
      for (uint32_t u = 0; u < c.unitCount; ++u) {
        // Nearly every unit for a density of one, to give complements.
        const bool held = c.inEvery == 1 ? random() % 50 != 0 : random() % c.inEvery == 0;
        if (held) posting.push_back(u);
        if (random() % 7 == 0) bits[u / 64] |= uint64_t{1} << (u % 64);
        expected[u] = held || (bits[u / 64] >> (u % 64) & 1);
      }
      ASSERT_TRUE(AddPosting(Bytes(EncodePosting(posting, c.unitCount)), c.unitCount, bits));
      for (uint32_t u = 0; u < c.unitCount; ++u)
        ASSERT_EQ(bits[u / 64] >> (u % 64) & 1, expected[u]) << c.unitCount << " unit " << u;
      for (uint32_t u = c.unitCount; u < bits.size() * 64; ++u) ASSERT_FALSE(bits[u / 64] >> (u % 64) & 1);
    }
  }
}

class TextIndexesTest : public IndexFileTest {
 protected:
  std::filesystem::path folder() const { return dir_.path() / "cache"; }
  std::filesystem::path IndexFile() { return IndexFilePath(folder(), dictionary().path()); }
};

TEST_F(TextIndexesTest, BuildsOnceKeepsTheFileAndRebuildsWhatIsDamaged) {
  {
    TextIndexes indexes(folder());
    // The build tells its progress after every block here (fewer than a
    // hundred), each once and in order, after the start of the build.
    std::mutex toldMutex;
    std::vector<std::pair<uint32_t, uint32_t>> told;  // done, total of each building status
    indexes.SetListener([&](const std::u16string&) {
      const TextIndexes::Status status = indexes.StatusOf(dictionary());
      const std::lock_guard lock(toldMutex);
      if (status.state == TextIndexes::State::kBuilding) told.emplace_back(status.done, status.total);
    });
    EXPECT_FALSE(indexes.Ready(dictionary()));
    const auto index = indexes.Wait(dictionary());
    ASSERT_TRUE(index);
    EXPECT_EQ(indexes.Ready(dictionary()), index);
    const TextIndexes::Status ready = indexes.StatusOf(dictionary());
    EXPECT_EQ(ready.state, TextIndexes::State::kReady);
    EXPECT_EQ(std::pair(ready.done, ready.total), std::pair(stamp_.blockCount, stamp_.blockCount));
    std::vector<std::pair<uint32_t, uint32_t>> expected{{0, 0}};
    for (uint32_t block = 1; block <= stamp_.blockCount; ++block)
      expected.emplace_back(block, stamp_.blockCount);
    const std::lock_guard lock(toldMutex);
    EXPECT_EQ(told, expected);
  }
  ASSERT_TRUE(std::filesystem::exists(IndexFile()));
  const std::string built = ReadAll(IndexFile());
  {
    // Another run loads the file without reading a block.
    TextIndexes indexes(folder());
    ASSERT_TRUE(indexes.Wait(dictionary()));
    EXPECT_EQ(indexes.StatusOf(dictionary()).total, 0u);
  }
  for (const std::string& bad : {std::string("junk"), built.substr(0, built.size() / 2), std::string()}) {
    std::ofstream(IndexFile(), std::ios::binary | std::ios::trunc) << bad;
    TextIndexes indexes(folder());
    ASSERT_TRUE(indexes.Wait(dictionary()));
    EXPECT_EQ(indexes.StatusOf(dictionary()).total, stamp_.blockCount);
    EXPECT_EQ(ReadAll(IndexFile()), built);
  }
}

TEST_F(TextIndexesTest, SearchesWaitOnlyWhenAskedAndSayHowTheySearched) {
  TextIndexes indexes(folder(), 1);
  // The worker is held as it starts, so that the index is certainly not ready.
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  indexes.SetListener([&](const std::u16string&) {
    if (indexes.StatusOf(dictionary()).state == TextIndexes::State::kLoading) released.wait();
  });
  const SearchRequest full{SearchMode::kFullText, u"\u4E05", kAllFields, false};  // one record's character
  const auto route = [&](const SearchRequest& request, IndexWait wait) {
    const std::vector<DictionaryHits> found = SearchSet(set_, indexes, request, wait, true);
    EXPECT_EQ(found.size(), 1u);
    const ModeResults& results = found[0].results;
    return std::pair(results.route, results.total.value_or(0));
  };
  EXPECT_EQ(route(full, IndexWait::kSkip), std::pair(SearchRoute::kIndexPending, uint64_t{0}));
  EXPECT_EQ(route(full, IndexWait::kScan), std::pair(SearchRoute::kScan, uint64_t{1}));
  EXPECT_EQ(route({SearchMode::kPrefix, u"wa", kAllFields, false}, IndexWait::kSkip),
            std::pair(SearchRoute::kPrefixSearch, uint64_t{12}));
  EXPECT_EQ(route({SearchMode::kExact, u"WAA", kAllFields, false}, IndexWait::kSkip),
            std::pair(SearchRoute::kSortedIndex, uint64_t{1}));
  release.set_value();
  EXPECT_EQ(route(full, IndexWait::kWait), std::pair(SearchRoute::kTextIndex, uint64_t{1}));
  EXPECT_EQ(route(full, IndexWait::kSkip), std::pair(SearchRoute::kTextIndex, uint64_t{1}));
}

TEST_F(TextIndexesTest, ACancelledBuildLeavesNoFile) {
  std::atomic<bool> cancelled = false;
  {
    TextIndexes indexes(folder(), 1);
    // Cancelled as it starts building, from the building thread itself.
    indexes.SetListener([&](const std::u16string&) {
      if (!cancelled && indexes.StatusOf(dictionary()).state == TextIndexes::State::kBuilding) {
        indexes.Cancel(dictionary());
        cancelled = true;
      }
    });
    indexes.Prepare(dictionary());
    for (int i = 0; i < 5000 && !cancelled; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(indexes.Ready(dictionary()));
  }  // the workers have stopped
  EXPECT_TRUE(cancelled);
  EXPECT_FALSE(std::filesystem::exists(IndexFile()));
}

}  // namespace
}  // namespace tavlex
