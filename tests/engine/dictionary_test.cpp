// Dictionaries of every layout the writer can produce open and decode to
// exactly the records written; damaged headers are refused.
#include "engine/dictionary.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/block_reader.h"
#include "tests/support/random_dictionary.h"
#include "tests/support/temp_dir.h"
#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex {
namespace {

using dicwriter::Charset;
using dicwriter::Options;
using dicwriter::Record;
using dicwriter::RecordLengthWidth;
using dicwriter::WrittenDictionary;

// Random records with what each layout can carry: display forms and any
// Unicode in BOCU-1; code page 932 text and 1252 pronunciations in ANSI.
std::vector<Record> RandomRecords(std::mt19937& random, Charset charset, int count) {
  const std::u16string bocuAlphabet = u"abcdeé xyzあいうアイウ漢字辞書한국\u00DF\u0416";
  const std::u16string ansiAlphabet = u"abcde xyzあいうアイウ漢字辞書";
  testing::RandomText randomText(random, charset == Charset::kBocu1 ? bocuAlphabet : ansiAlphabet);
  const auto text = [&](int longest) { return randomText.UpTo(longest); };
  std::vector<Record> records(static_cast<size_t>(count));
  for (Record& r : records) {
    r.key = text(6) + u"k";  // no leading blank: a key never starts with a delimiter
    if (charset == Charset::kBocu1 && random() % 4 == 0) r.display = u"D" + text(5);
    r.attributes = static_cast<uint8_t>(random() % 4 == 0 ? 0x01 : 0x00);
    r.translation = text(random() % 8 == 0 ? 300 : 30);
    if (random() % 3 == 0) {
      r.pronunciation = charset == Charset::kBocu1 ? text(8) : u"pr\u00E9\u00F1\u00FC";
    }
    if (random() % 3 == 0) r.example = text(20);
  }
  if (charset == Charset::kBocu1) records.push_back({u"\U0001F600smile", u"", 0, u"\U0001F600", u"", u""});
  return records;
}

std::vector<Entry> DecodeAll(const Dictionary& dictionary) {
  std::vector<Entry> entries;
  for (int32_t i = 0; i < dictionary.indexEntryCount(); ++i) {
    EXPECT_TRUE(dictionary.LoadBlock(dictionary.BlockOfIndexEntry(i), false, entries));
  }
  return entries;
}

void ExpectSameRecords(const std::vector<Entry>& entries, const std::vector<Record>& records) {
  ASSERT_EQ(entries.size(), records.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(entries[i].key, records[i].key);
    EXPECT_EQ(entries[i].display, records[i].display);
    EXPECT_EQ(entries[i].attributes & ~kExtendedBodyBit, records[i].attributes & ~kExtendedBodyBit);
    EXPECT_EQ(entries[i].translation, records[i].translation);
    EXPECT_EQ(entries[i].pronunciation, records[i].pronunciation);
    EXPECT_EQ(entries[i].example, records[i].example);
  }
}

struct Layout {
  const char* name;
  Options options;
};

Options Make(int version, Charset charset, int blockSize, auto&&... tweaks) {
  Options o;
  o.version = version;
  o.charset = charset;
  o.blockSize = blockSize;
  (tweaks(o), ...);
  return o;
}

const auto kFourByteNumbers = [](Options& o) { o.fourByteBlockNumbers = true; };
const auto kFourByteLengths = [](Options& o) { o.recordLengths = RecordLengthWidth::kFour; };
const auto kAlternateLengths = [](Options& o) { o.recordLengths = RecordLengthWidth::kAlternate; };
const auto kThreeUnits = [](Options& o) { o.unitsPerBlock = 3; };
const auto kExtended = [](Options& o) { o.alwaysExtended = true; };
const auto kNoisyHeaders = [](Options& o) {
  o.extendedHeaderSize = 257;
  o.headerNoiseSeed = 99;
};
const auto kShuffled = [](Options& o) { o.shuffleSeed = 5; };
const auto kMinor = [](Options& o) { o.minorVersion = 0x23; };
const auto kBigHeader = [](Options& o) { o.headerSize = 300; };

// What the writer never makes: tabs before a key, or nothing but tabs.
TEST(BlockKeys, KeyIsTheFirstTextBetweenTabs) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"key", u"key"}, {u"key\tshown", u"key"}, {u"\t\tkey\tshown\t\textra", u"key"}, {u"\t\t", u""},
      {u"", u""},       {u"a b\t", u"a b"},
  };
  BlockKeys keys;
  for (const auto& [stored, key] : cases) {
    keys.text += stored;
    keys.EndKey();
  }
  ASSERT_EQ(keys.size(), std::size(cases));
  for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(keys.Key(i), cases[i].second) << "case " << i;
}

class Layouts : public ::testing::TestWithParam<Layout> {};

TEST_P(Layouts, RecordsRoundTrip) {
  const Options& options = GetParam().options;
  std::mt19937 random(static_cast<uint32_t>(std::hash<std::string>()(GetParam().name)));
  const WrittenDictionary written =
      dicwriter::WriteDictionary(RandomRecords(random, options.charset, 400), options);
  testing::TempDir dir;
  const std::u16string path = dir.File("layout.dic");
  dicwriter::WriteDictionaryFile(std::filesystem::path(path).string(), written);

  const auto dictionary = Dictionary::Open(path, nullptr);
  ASSERT_NE(dictionary, nullptr);
  EXPECT_EQ(dictionary->indexEntryCount(), static_cast<int32_t>(written.blocks.size()));
  ExpectSameRecords(DecodeAll(*dictionary), written.records);

  // Headwords only: the same keys, no bodies.
  std::vector<Entry> headwords;
  ASSERT_TRUE(dictionary->LoadBlock(written.blocks[0].number, true, headwords));
  ASSERT_EQ(headwords.size(), written.blocks[0].recordCount);
  for (size_t i = 0; i < headwords.size(); ++i) {
    EXPECT_EQ(headwords[i].key, written.records[i].key);
    EXPECT_TRUE(headwords[i].translation.empty());
    EXPECT_EQ(headwords[i].dictionary.lock(), dictionary);
  }

  // Keys alone: every block's, in order, are the keys written.
  const BlockReader reader(*dictionary);
  std::vector<std::u16string> keys;
  for (const auto& block : written.blocks) {
    BlockKeys read;
    ASSERT_TRUE(reader.ReadKeys(block.number, read));
    for (size_t i = 0; i < read.size(); ++i) keys.emplace_back(read.Key(i));
  }
  ASSERT_EQ(keys.size(), written.records.size());
  for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(keys[i], written.records[i].key) << "record " << i;

  // Every block's first headword leads the index search to the last block
  // that begins with it.
  auto stored = [](const Record& r) { return r.display.empty() ? r.key : r.key + u"\t" + r.display; };
  for (size_t b = 0; b < written.blocks.size(); ++b) {
    const std::u16string first = stored(written.records[written.blocks[b].firstRecord]);
    const auto found = static_cast<size_t>(dictionary->FindIndexEntry(first));
    ASSERT_LT(found, written.blocks.size());
    EXPECT_GE(found, b);
    EXPECT_EQ(stored(written.records[written.blocks[found].firstRecord]), first);
    EXPECT_EQ(dictionary->BlockOfIndexEntry(static_cast<int32_t>(found)), written.blocks[found].number);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, Layouts,
    ::testing::Values(
        Layout{"v4_bocu", Make(4, Charset::kBocu1, 256)},
        Layout{"v4_ansi_4byte_numbers", Make(4, Charset::kAnsi, 256, kFourByteNumbers, kNoisyHeaders)},
        Layout{"v5_ansi_512", Make(5, Charset::kAnsi, 512, kFourByteLengths)},
        Layout{"v5_bocu_300_three_units", Make(5, Charset::kBocu1, 300, kThreeUnits, kExtended)},
        Layout{"v6_bocu_1000_minor", Make(6, Charset::kBocu1, 1000, kMinor, kAlternateLengths)},
        Layout{"v6_bocu_shuffled",
               Make(6, Charset::kBocu1, 1024, kShuffled, kFourByteNumbers, kNoisyHeaders)},
        Layout{"v6_ansi_256_three_units", Make(6, Charset::kAnsi, 256, kThreeUnits, kShuffled, kBigHeader)},
        Layout{"v6_ansi_2048_alternate", Make(6, Charset::kAnsi, 2048, kAlternateLengths, kExtended)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Dictionary, BlockNumberAbove65535) {
  Options options = Make(6, Charset::kBocu1, 256, kFourByteNumbers);
  options.firstBlockNumber = 65535;
  std::mt19937 random(1);
  const WrittenDictionary written =
      dicwriter::WriteDictionary(RandomRecords(random, Charset::kBocu1, 60), options);
  ASSERT_GT(written.blocks.back().number, 65536u);
  testing::TempDir dir;
  dicwriter::WriteDictionaryFile((dir.path() / "far.dic").string(), written);
  const auto dictionary = Dictionary::Open(dir.File("far.dic"), nullptr);
  ASSERT_NE(dictionary, nullptr);
  EXPECT_EQ(dictionary->BlockOfIndexEntry(1), written.blocks[1].number);
  ExpectSameRecords(DecodeAll(*dictionary), written.records);
}

TEST(Dictionary, EmptyDictionaryOpens) {
  testing::TempDir dir;
  dicwriter::WriteDictionaryFile((dir.path() / "empty.dic").string(),
                                 dicwriter::WriteDictionary({}, Options{}));
  const auto dictionary = Dictionary::Open(dir.File("empty.dic"), nullptr);
  ASSERT_NE(dictionary, nullptr);
  EXPECT_EQ(dictionary->indexEntryCount(), 0);
  EXPECT_EQ(dictionary->FindIndexEntry(u"a"), 0);
}

}  // namespace
}  // namespace tavlex
