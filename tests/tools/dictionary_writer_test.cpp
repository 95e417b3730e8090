// Checks the bytes DictionaryWriter produces on small cases worked out by hand.
#include "tools/dicwriter/dictionary_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tavlex::dicwriter {
namespace {

using Bytes = std::vector<uint8_t>;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

constexpr size_t kHeaderSize = 256;
constexpr uint8_t kExtended = 0x10;

// From BOCU-1's initial state, U+0021..U+007E take one byte each, the code
// point plus 0x50; TAB and space are stored as themselves.
Bytes Bocu(const std::string& ascii) {
  Bytes out;
  for (char c : ascii) {
    out.push_back(c == '\t' || c == ' ' ? c : static_cast<uint8_t>(c + 0x50));
  }
  return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

uint32_t Le(const Bytes& bytes, size_t offset, int width) {
  uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | bytes[offset + i];
  return value;
}

Bytes Slice(const Bytes& bytes, size_t offset, size_t size) {
  return Bytes(bytes.begin() + offset, bytes.begin() + offset + size);
}

Record Rec(std::u16string key, std::u16string translation = u"", uint8_t attributes = 0) {
  Record record;
  record.key = std::move(key);
  record.translation = std::move(translation);
  record.attributes = attributes;
  return record;
}

Options SmallBlocks(int blockSize = 64) {
  Options options;
  options.blockSize = blockSize;
  return options;
}

// Offsets of a version 5/6 file without extended header: the index right
// after the header, the data after the index.
size_t DataOffset(const WrittenDictionary& dictionary, const Options& options) {
  return kHeaderSize + Le(dictionary.bytes, 0x94, 2) * options.blockSize;
}

size_t BlockStart(const WrittenDictionary& dictionary, const Options& options, uint32_t number) {
  return DataOffset(dictionary, options) + size_t{number} * options.blockSize;
}

// The first unit of a block.
Bytes Block(const WrittenDictionary& dictionary, const Options& options, uint32_t number) {
  return Slice(dictionary.bytes, BlockStart(dictionary, options, number), options.blockSize);
}

struct HeaderOffsets {
  int version;
  size_t charset, extendedHeaderSize, indexEntries, blockNumberWidth;
};

class HeaderTest : public ::testing::TestWithParam<HeaderOffsets> {};

TEST_P(HeaderTest, FieldsSitAtTheVersionsOffsetsAndNoiseFillsTheRest) {
  const HeaderOffsets at = GetParam();
  for (bool noise : {false, true}) {
    Options options;
    options.version = at.version;
    options.minorVersion = 3;
    options.blockSize = 256;
    options.fourByteBlockNumbers = true;
    options.extendedHeaderSize = 0x0305;  // distinct bytes show an overwritten field
    if (noise) options.headerNoiseSeed = 7;
    const WrittenDictionary written = WriteDictionary({Rec(u"a"), Rec(u"b"), Rec(u"c")}, options);
    const Bytes& b = written.bytes;

    EXPECT_EQ(Le(b, 0x8C, 2), at.version << 8 | 3);
    EXPECT_EQ(Le(b, 0x92, 2), 256u);
    EXPECT_EQ(Le(b, 0x94, 2), 1u);
    EXPECT_EQ(Le(b, 0x96, 2), 256u);
    EXPECT_EQ(b[0xA6], 1);
    EXPECT_EQ(b[at.charset], 0x20);
    EXPECT_EQ(Le(b, at.extendedHeaderSize, 4), 0x0305u);
    EXPECT_EQ(Le(b, at.indexEntries, 4), 1u);
    EXPECT_EQ(b[at.blockNumberWidth], 1);

    std::vector<bool> field(kHeaderSize);
    for (auto [offset, width] : {std::pair{size_t{0x8C}, 2},
                                 {0x92, 6},
                                 {0xA6, 1},
                                 {at.charset, 1},
                                 {at.extendedHeaderSize, 4},
                                 {at.indexEntries, 4},
                                 {at.blockNumberWidth, 1}}) {
      std::fill_n(field.begin() + offset, width, true);
    }
    size_t nonZeroFiller = 0;
    for (size_t i = 0; i < kHeaderSize; ++i) nonZeroFiller += !field[i] && b[i] != 0;
    if (noise) {
      EXPECT_GT(nonZeroFiller, 200u);  // of 237
    } else {
      EXPECT_EQ(nonZeroFiller, 0u);
    }
    const Bytes extended = Slice(b, kHeaderSize, 0x0305);
    EXPECT_LT(std::count(extended.begin(), extended.end(), 0), 20);
    // The index follows the extended header.
    EXPECT_THAT(Slice(b, kHeaderSize + 0x0305, 6), ElementsAreArray(Bytes{0, 0, 0, 0, 0xB1, 0}));
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, HeaderTest,
                         ::testing::Values(HeaderOffsets{4, 0xAB, 0xB6, 0xBE, 0xC6},
                                           HeaderOffsets{5, 0xA7, 0xB8, 0xC0, 0xB6},
                                           HeaderOffsets{6, 0xA7, 0xB8, 0xC0, 0xB6}));

TEST(WriterLayoutTest, LargerHeaderMovesIndexAndData) {
  Options options = SmallBlocks(32);
  options.headerSize = 300;
  options.charset = Charset::kAnsi;
  const WrittenDictionary written = WriteDictionary({Rec(u"a", u"x")}, options);
  EXPECT_EQ(Le(written.bytes, 0x96, 2), 300u);
  EXPECT_EQ(written.bytes[0xA7], 0x00);
  EXPECT_THAT(Slice(written.bytes, 300, 4), ElementsAreArray(Bytes{0, 0, 'a', 0}));
  EXPECT_THAT(Slice(written.bytes, 332, 12), ElementsAreArray(Bytes{1, 0, 4, 0, 0, 'a', 0, 0, 'x', 0, 0, 0}));
  EXPECT_EQ(written.bytes.size(), 364u);
}

TEST(WriterLayoutTest, NoRecordsGiveAnEmptyIndexAndNoData) {
  const WrittenDictionary written = WriteDictionary({}, Options());
  EXPECT_EQ(written.bytes.size(), kHeaderSize);
  EXPECT_EQ(Le(written.bytes, 0x94, 2), 0u);
  EXPECT_EQ(Le(written.bytes, 0xC0, 4), 0u);
  EXPECT_TRUE(written.blocks.empty());
}

TEST(BlockTest, Bocu1RecordsShareHeadwordPrefixes) {
  const Options options = SmallBlocks();
  const WrittenDictionary written =
      WriteDictionary({Rec(u"b", u"", 0x05), Rec(u"abd", u"yz"), Rec(u"abc", u"x", kExtended)}, options);
  const Bytes expected = Concat({{1, 0},  // one unit, 2-byte lengths
                                 {5, 0, 0, 0x00},
                                 Bocu("abc"),
                                 {0},
                                 Bocu("x"),  // extended bit cleared
                                 {4, 0, 2, 0x00},
                                 Bocu("d"),
                                 {0},
                                 Bocu("yz"),
                                 {2, 0, 0, 0x05},
                                 Bocu("b"),
                                 {0},
                                 {0, 0}});
  EXPECT_THAT(Slice(Block(written, options, 0), 0, expected.size()), ElementsAreArray(expected));
  EXPECT_EQ(written.records[0].attributes, 0);
}

TEST(BlockTest, AnsiRecordsPutTheAttributeAfterTheHeadword) {
  Options options = SmallBlocks();
  options.charset = Charset::kAnsi;
  const WrittenDictionary written =
      WriteDictionary({Rec(u"abc", u"x", 0x01), Rec(u"abd", u"\u3042")}, options);
  const Bytes expected = {1, 0, 6, 0,   0, 'a',  'b',  'c',  0, 0x01, 'x',
                          5, 0, 2, 'd', 0, 0x00, 0x82, 0xA0, 0, 0};
  EXPECT_THAT(Slice(Block(written, options, 0), 0, expected.size()), ElementsAreArray(expected));
}

TEST(BlockTest, SharedPrefixIsCappedPerLayout) {
  const std::u16string common(300, u'a');
  for (auto [charset, cap] : {std::pair{Charset::kBocu1, 255}, std::pair{Charset::kAnsi, 127}}) {
    Options options = SmallBlocks(1024);
    options.charset = charset;
    const WrittenDictionary written = WriteDictionary({Rec(common + u"b"), Rec(common + u"c")}, options);
    // The first record takes 2 + 306 bytes in either layout.
    EXPECT_EQ(Block(written, options, 0)[2 + 306 + 2], cap);
  }
}

TEST(BlockTest, ExtendedBodiesListPronunciationBeforeExample) {
  Record full = Rec(u"a", u"t");
  full.pronunciation = u"p";
  full.example = u"e";
  Record exampleOnly = Rec(u"b", u"t");
  exampleOnly.example = u"e";
  const Options options = SmallBlocks();
  const WrittenDictionary written = WriteDictionary({full, exampleOnly}, options);
  const Bytes expected = Concat({{1, 0},
                                 {11, 0, 0, kExtended},
                                 Bocu("a"),
                                 {0},
                                 Bocu("t"),
                                 {0, 2},
                                 Bocu("p"),
                                 {0, 1},
                                 Bocu("e"),
                                 {0, 0x80},
                                 {8, 0, 0, kExtended},
                                 Bocu("b"),
                                 {0},
                                 Bocu("t"),
                                 {0, 1},
                                 Bocu("e"),
                                 {0, 0x80}});
  EXPECT_THAT(Slice(Block(written, options, 0), 0, expected.size()), ElementsAreArray(expected));
  EXPECT_EQ(written.records[1].attributes, kExtended);
}

TEST(BlockTest, AnsiPronunciationUsesCodePage1252AndAlwaysExtendedMarksPlainRecords) {
  Record withPronunciation = Rec(u"a", u"t");
  withPronunciation.pronunciation = u"\u00E9";
  Options options = SmallBlocks();
  options.charset = Charset::kAnsi;
  options.alwaysExtended = true;
  const WrittenDictionary written = WriteDictionary({withPronunciation, Rec(u"b", u"t")}, options);
  const Bytes expected = {1,    0, 9, 0, 0,   'a', 0,         kExtended, 't', 0,    2, 0xE9, 0,
                          0x80, 6, 0, 0, 'b', 0,   kExtended, 't',       0,   0x80, 0, 0};
  EXPECT_THAT(Slice(Block(written, options, 0), 0, expected.size()), ElementsAreArray(expected));
}

TEST(PackingTest, BlocksFillUpToUnitsPerBlockAndAreNumberedInUnits) {
  Options options = SmallBlocks(32);
  options.unitsPerBlock = 2;
  std::vector<Record> records;
  for (char16_t c = u'a'; c < u'a' + 12; ++c) records.push_back(Rec(std::u16string(1, c)));
  // Each record takes 6 bytes: 2 + 6 × 10 + 2 = 64 fills two units exactly.
  const WrittenDictionary written = WriteDictionary(records, options);
  ASSERT_EQ(written.blocks.size(), 2u);
  EXPECT_EQ(written.blocks[0].recordCount, 10u);
  EXPECT_EQ(written.blocks[0].units, 2);
  EXPECT_EQ(written.blocks[1].firstRecord, 10u);
  EXPECT_EQ(written.blocks[1].units, 1);
  EXPECT_EQ(written.blocks[1].number, 2u);
  EXPECT_EQ(Le(Block(written, options, 0), 0, 2), 2u);
  EXPECT_THAT(Slice(Block(written, options, 2), 0, 7),
              ElementsAreArray(Concat({{1, 0, 2, 0, 0, 0}, Bocu("k")})));

  // Nine records take 58 bytes; an 8-byte record with its length field would make 66.
  records.resize(9);
  records.push_back(Rec(u"jjj"));
  EXPECT_EQ(WriteDictionary(records, options).blocks.size(), 2u);
}

TEST(PackingTest, RecordLengthWidthsFollowTheChosenMode) {
  const Record big = Rec(u"a", std::u16string(70000, u'x'));  // length 1 + 1 + 70000
  Options options = SmallBlocks(1024);
  options.maxRecordsPerBlock = 1;

  options.recordLengths = RecordLengthWidth::kTwo;
  try {
    WriteDictionary({big}, options);
    FAIL() << "a length above 65535 fits in 2 bytes";
  } catch (const WriterError& error) {
    EXPECT_THAT(error.what(), HasSubstr("\"a\""));
  }

  options.recordLengths = RecordLengthWidth::kAuto;
  WrittenDictionary written = WriteDictionary({big, Rec(u"b")}, options);
  // 2 + 4 + 2 + 70002 + 4 bytes need 69 units.
  EXPECT_THAT(Slice(Block(written, options, 0), 0, 6), ElementsAreArray(Bytes{69, 0x80, 0x72, 0x11, 1, 0}));
  EXPECT_EQ(written.blocks[1].number, 69u);
  EXPECT_FALSE(written.blocks[1].fourByteLengths);
  EXPECT_EQ(Le(Block(written, options, 69), 0, 2), 1u);

  options.recordLengths = RecordLengthWidth::kFour;
  written = WriteDictionary({Rec(u"a")}, options);
  EXPECT_THAT(Slice(Block(written, options, 0), 0, 14),
              ElementsAreArray(Concat({{1, 0x80, 2, 0, 0, 0, 0, 0}, Bocu("a"), {0, 0, 0, 0, 0}})));

  options.recordLengths = RecordLengthWidth::kAlternate;
  written = WriteDictionary({Rec(u"a"), Rec(u"b"), Rec(u"c")}, options);
  for (uint32_t block : {0u, 1u, 2u}) {
    EXPECT_EQ(written.blocks[block].fourByteLengths, block == 1) << block;
    EXPECT_EQ(Block(written, options, block)[1], block == 1 ? 0x80 : 0x00) << block;
  }
}

TEST(IndexTest, EntriesNameEachBlockByNumberAndFullFirstHeadword) {
  Record display = Rec(u"ab");
  display.display = u"X";
  for (bool fourBytes : {false, true}) {
    Options options = SmallBlocks();
    options.maxRecordsPerBlock = 1;
    options.fourByteBlockNumbers = fourBytes;
    const WrittenDictionary written = WriteDictionary({Rec(u"abc"), display}, options);
    const Bytes number1 = fourBytes ? Bytes{1, 0, 0, 0} : Bytes{1, 0};
    const Bytes expected =
        Concat({Bytes(fourBytes ? 4 : 2, 0), Bocu("ab\tX"), {0}, number1, Bocu("abc"), {0}});
    EXPECT_THAT(Slice(written.bytes, kHeaderSize, 64),
                ElementsAreArray(Concat({expected, Bytes(64 - expected.size(), 0)})));
    // A block's first record shares nothing, whatever the block before it ends with.
    EXPECT_THAT(Slice(Block(written, options, 1), 0, 9),
                ElementsAreArray(Concat({{1, 0, 4, 0, 0, 0}, Bocu("abc")})));
  }
}

TEST(IndexTest, BlockNumbersStartAtFirstBlockNumber) {
  Options options = SmallBlocks(16);
  options.firstBlockNumber = 65536;
  EXPECT_THROW(WriteDictionary({Rec(u"a")}, options), WriterError);

  options.fourByteBlockNumbers = true;
  const WrittenDictionary written = WriteDictionary({Rec(u"a")}, options);
  EXPECT_THAT(Slice(written.bytes, kHeaderSize, 4), ElementsAreArray(Bytes{0, 0, 1, 0}));
  const size_t data = DataOffset(written, options);
  EXPECT_TRUE(std::all_of(written.bytes.begin() + data, written.bytes.begin() + data + 65536 * 16,
                          [](uint8_t byte) { return byte == 0; }));
  EXPECT_EQ(Le(Block(written, options, 65536), 0, 2), 1u);
  EXPECT_EQ(written.bytes.size(), data + 65537 * 16);
}

TEST(IndexTest, ShuffledBlocksAreStillNamedByTheIndex) {
  Options options = SmallBlocks(32);
  options.maxRecordsPerBlock = 1;
  options.shuffleSeed = 11;
  options.firstBlockNumber = 2;
  const std::vector<std::u16string> keys = {u"a", std::u16string(40, u'b'), u"c", u"d", u"e"};
  std::vector<Record> records;
  for (const std::u16string& key : keys) records.push_back(Rec(key));
  const WrittenDictionary written = WriteDictionary(records, options);

  size_t entry = kHeaderSize;
  bool shuffled = false;
  std::vector<uint32_t> numbers;
  for (size_t i = 0; i < keys.size(); ++i) {
    const uint32_t number = Le(written.bytes, entry, 2);
    EXPECT_EQ(number, written.blocks[i].number);
    shuffled = shuffled || (i > 0 && number < numbers.back());
    numbers.push_back(number);
    const Bytes headword = Bocu(std::string(keys[i].begin(), keys[i].end()));
    EXPECT_THAT(Slice(written.bytes, entry + 2, headword.size()), ElementsAreArray(headword));
    EXPECT_THAT(Slice(written.bytes, BlockStart(written, options, number) + 6, headword.size()),
                ElementsAreArray(headword));
    entry += 2 + headword.size() + 1;
  }
  EXPECT_TRUE(shuffled);
  // The two-unit block takes two numbers; together the blocks fill units 2..7.
  std::sort(numbers.begin(), numbers.end());
  const uint32_t twoUnit = written.blocks[1].number;
  EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end());
  EXPECT_EQ(std::count(numbers.begin(), numbers.end(), twoUnit + 1), 0);
  EXPECT_EQ(numbers.front(), 2u);
  EXPECT_EQ(numbers.back() + (numbers.back() == twoUnit ? 2u : 1u), 8u);
}

TEST(SortTest, Bocu1SortsFullHeadwordsAsUtf16CodeUnits) {
  Record display = Rec(u"ab");
  display.display = u"X";
  const WrittenDictionary written =
      WriteDictionary({Rec(u"abc"), display, Rec(u"ab"), Rec(u"\uFF21"), Rec(u"\U0001F600")}, Options());
  std::vector<std::u16string> order;
  for (const Record& record : written.records) order.push_back(record.key + record.display);
  EXPECT_THAT(order,
              ElementsAreArray(std::vector<std::u16string>{u"ab", u"abX", u"abc", u"\U0001F600", u"\uFF21"}));
}

TEST(SortTest, AnsiSortsCodePageBytesAndKeepsDuplicatesInOrder) {
  Options options;
  options.charset = Charset::kAnsi;
  // U+6F3E is E0 40 in code page 932, after the half-width U+FF71 (B1).
  const WrittenDictionary written =
      WriteDictionary({Rec(u"\u6F3E"), Rec(u"same", u"1"), Rec(u"\uFF71"), Rec(u"same", u"2")}, options);
  std::vector<std::u16string> order;
  for (const Record& record : written.records) order.push_back(record.key + record.translation);
  EXPECT_THAT(order, ElementsAreArray(std::vector<std::u16string>{u"same1", u"same2", u"\uFF71", u"\u6F3E"}));

  options.sortRecords = false;
  EXPECT_EQ(WriteDictionary({Rec(u"b"), Rec(u"a")}, options).records[0].key, u"b");
}

TEST(ErrorTest, TextThatCannotBeStoredIsRejectedByName) {
  Options ansi;
  ansi.charset = Charset::kAnsi;
  Record display = Rec(u"key");
  display.display = u"Key";
  Record pronunciation = Rec(u"key");
  pronunciation.pronunciation = u"\u3042";
  struct Case {
    Record record;
    Options options;
    std::string named;
  };
  const std::vector<Case> cases = {
      {display, ansi, "key"},
      {Rec(u"key", u"\uD55C"), ansi, "\uD55C"},  // Hangul is not in code page 932
      {pronunciation, ansi, "\u3042"},           // nor Hiragana in 1252
      {Rec(u"key", std::u16string(u"a\0b", 3)), Options(), "a\u2400b"},
  };
  for (const Case& c : cases) {
    try {
      WriteDictionary({c.record}, c.options);
      ADD_FAILURE() << "accepted " << c.named;
    } catch (const WriterError& error) {
      EXPECT_THAT(error.what(), HasSubstr(c.named));
    }
  }
}

TEST(ErrorTest, FileWritingReportsFailure) {
  const WrittenDictionary written = WriteDictionary({Rec(u"a")}, Options());
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "tavlex_writer.dic";
  WriteDictionaryFile(path.string(), written);
  EXPECT_EQ(std::filesystem::file_size(path), written.bytes.size());
  std::filesystem::remove(path);
  EXPECT_THROW(WriteDictionaryFile((path / "missing" / "x.dic").string(), written), WriterError);
}

TEST(ErrorTest, OptionsTheFormatCannotExpressAreRejected) {
  std::vector<Options> bad(7);
  bad[0].version = 3;
  bad[1].version = 7;
  bad[2].version = 4;  // with the default block size of 1024
  bad[3].version = 4;
  bad[3].blockSize = 256;
  bad[3].headerSize = 512;
  bad[4].blockSize = 0;
  bad[5].unitsPerBlock = 0;
  bad[6].headerSize = 128;
  for (const Options& options : bad) {
    EXPECT_THROW(WriteDictionary({Rec(u"a")}, options), WriterError);
  }
}

}  // namespace
}  // namespace tavlex::dicwriter
