// The look-up through a table of index positions: on random dictionaries, a
// dictionary opened with its table, without one, or with a table that lies
// finds every headword's block as the written index places it, and the
// table it leaves behind holds the positions of the written records.
#include "engine/position_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

#include "engine/cache_file.h"
#include "engine/dictionary.h"
#include "tests/support/random_dictionary.h"

namespace tavlex {
namespace {

using dicwriter::Charset;
using Positions = std::vector<uint32_t>;

struct Written {
  std::u16string path;
  dicwriter::WrittenDictionary file;
  int width = 2;
};

Written RandomDictionary(const testing::TempDir& dir, std::mt19937& random, Charset charset) {
  testing::RandomText text(random, charset == Charset::kAnsi ? u"abcdeあい" : u"abcdeあい\u00e9");
  dicwriter::Options options = testing::RandomLayout(text, charset);
  options.fourByteBlockNumbers = text.Pick(2) == 1;
  std::vector<dicwriter::Record> records;
  for (int n = 300 + text.Pick(3000); n > 0; --n)
    records.push_back({text.Word(12), u"", 0, text.Sentence(), u"", u""});
  Written written{dir.File("random.dic"), testing::WriteRandomDictionary(dir, "random.dic", records, options),
                  options.fourByteBlockNumbers ? 4 : 2};
  return written;
}

// Where every 64th index record begins, summed from the headwords written
// first in each block.
Positions ModelPositions(const Written& written, Charset charset) {
  Positions positions;
  uint32_t at = 0;
  for (size_t i = 0; i < written.file.blocks.size(); ++i) {
    if (i % 64 == 0) positions.push_back(at);
    const dicwriter::Record& first = written.file.records[written.file.blocks[i].firstRecord];
    at += static_cast<uint32_t>(written.width + dicwriter::EncodeHeadword(first, charset).size() + 1);
  }
  return positions;
}

// Every index entry names its block, and every headword is found in a block that holds it.
void ExpectLookUps(const Dictionary& dictionary, const Written& written) {
  const auto& blocks = written.file.blocks;
  ASSERT_EQ(dictionary.indexEntryCount(), static_cast<int32_t>(blocks.size()));
  for (size_t i = 0; i < blocks.size(); ++i) {
    ASSERT_EQ(dictionary.BlockOfIndexEntry(static_cast<int32_t>(i)), blocks[i].number) << i;
  }
  for (size_t r = 0; r < written.file.records.size(); r += 7) {
    const std::u16string& key = written.file.records[r].key;
    const dicwriter::WrittenBlock& found = blocks.at(static_cast<size_t>(dictionary.FindIndexEntry(key)));
    bool holds = false;
    for (size_t k = found.firstRecord; k < found.firstRecord + found.recordCount; ++k) {
      holds = holds || written.file.records[k].key == key;
    }
    ASSERT_TRUE(holds) << "record " << r;
  }
}

class PositionTables : public ::testing::TestWithParam<Charset> {
 protected:
  std::filesystem::path TablePath(const Written& written) const {
    return CacheFilePath(cache_, written.path, ".positions");
  }
  PositionStamp Stamp(const Dictionary& dictionary) const {
    return *StampOf(std::filesystem::path(dictionary.path()),
                    static_cast<uint32_t>(dictionary.layout().indexLength),
                    static_cast<uint32_t>(dictionary.indexEntryCount()));
  }
  std::optional<Positions> TableOnDisk(const Written& written, const PositionStamp& stamp) const {
    std::ifstream in(TablePath(written), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParsePositionTable(bytes, stamp);
  }
  void WriteTable(const Written& written, const std::string& bytes) const {
    std::ofstream(TablePath(written), std::ios::binary | std::ios::trunc) << bytes;
  }

  testing::TempDir dir_;
  std::filesystem::path cache_ = dir_.path() / "cache";
};

TEST_P(PositionTables, FirstOpenWritesTheTableAndLaterOnesReadIt) {
  std::mt19937 random(11);
  for (int round = 0; round < 6; ++round) {
    const Written written = RandomDictionary(dir_, random, GetParam());
    std::filesystem::remove_all(cache_);
    for (int open = 0; open < 2; ++open) {
      const auto dictionary = Dictionary::Open(written.path, nullptr, cache_);
      ASSERT_NE(dictionary, nullptr);
      ExpectLookUps(*dictionary, written);
      EXPECT_EQ(TableOnDisk(written, Stamp(*dictionary)), ModelPositions(written, GetParam())) << round;
    }
    // Without a folder nothing is written.
    std::filesystem::remove_all(cache_);
    ExpectLookUps(*Dictionary::Open(written.path, nullptr), written);
    EXPECT_FALSE(std::filesystem::exists(cache_));
  }
}

TEST_P(PositionTables, TablesThatLieAreNotBelievedAndAreMadeAgain) {
  struct Lie {
    const char* what;
    std::function<std::string(const PositionStamp& stamp, Positions positions)> table;
  };
  const std::vector<Lie> lies = {
      {"a piece begins a byte late",
       [](const PositionStamp& s, Positions p) { return ++p[1], FormatPositionTable(s, p); }},
      {"a piece begins a record early",
       [](const PositionStamp& s, Positions p) {
         return p[2] = p[1] + (p[2] - p[1]) / 2, FormatPositionTable(s, p);
       }},
      {"the last piece begins at the area's end",
       [](const PositionStamp& s, Positions p) {
         return p.back() = s.indexLength - 1, FormatPositionTable(s, p);
       }},
      {"every piece one record late",
       [](const PositionStamp& s, Positions p) {
         for (size_t i = 1; i < p.size(); ++i) p[i] += p[1] / 64;
         return FormatPositionTable(s, p);
       }},
      {"made from the file before it changed",
       [](PositionStamp s, const Positions& p) { return --s.modified, FormatPositionTable(s, p); }},
      {"one piece missing",
       [](const PositionStamp& s, Positions p) { return p.pop_back(), FormatPositionTable(s, p); }},
      {"a checksum that fails",
       [](const PositionStamp& s, const Positions& p) {
         std::string bytes = FormatPositionTable(s, p);
         bytes[40] ^= 1;
         return bytes;
       }},
      {"cut short",
       [](const PositionStamp& s, const Positions& p) { return FormatPositionTable(s, p).substr(0, 30); }},
      {"empty", [](const PositionStamp&, const Positions&) { return std::string(); }},
  };
  std::mt19937 random(5);
  for (const Lie& lie : lies) {
    Written written = RandomDictionary(dir_, random, GetParam());
    while (written.file.blocks.size() < 3 * 64) written = RandomDictionary(dir_, random, GetParam());
    const auto sound = Dictionary::Open(written.path, nullptr, cache_);
    const PositionStamp stamp = Stamp(*sound);
    const Positions positions = ModelPositions(written, GetParam());
    WriteTable(written, lie.table(stamp, positions));

    const auto dictionary = Dictionary::Open(written.path, nullptr, cache_);
    ASSERT_NE(dictionary, nullptr) << lie.what;
    ExpectLookUps(*dictionary, written);
    EXPECT_EQ(TableOnDisk(written, stamp), positions) << lie.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Charsets, PositionTables, ::testing::Values(Charset::kBocu1, Charset::kAnsi),
                         [](const auto& info) { return info.param == Charset::kAnsi ? "Ansi" : "Bocu1"; });

}  // namespace
}  // namespace tavlex
