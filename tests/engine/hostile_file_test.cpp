// Damaged and hostile files: headers that must be refused, and blocks whose
// records lie about their sizes. Nothing may be read outside the bytes given.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/dictionary.h"
#include "engine/format/little_endian.h"
#include "tests/support/temp_dir.h"
#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex {
namespace {

using Buffer = std::vector<uint8_t>;

void Put(Buffer& b, size_t offset, uint32_t value, int width) {
  for (int i = 0; i < width; ++i)
    b.at(offset + static_cast<size_t>(i)) = static_cast<uint8_t>(value >> (8 * i));
}

class HostileFiles : public ::testing::Test {
 protected:
  // A valid version-6 file of a few blocks to damage.
  Buffer ValidFile(dicwriter::Charset charset = dicwriter::Charset::kBocu1, int version = 6) {
    std::vector<dicwriter::Record> records;
    for (char16_t c = u'a'; c <= u'z'; ++c)
      records.push_back({std::u16string(3, c), u"", 0, u"text", u"", u""});
    dicwriter::Options options;
    options.version = version;
    options.charset = charset;
    options.blockSize = 256;
    options.maxRecordsPerBlock = 5;
    return dicwriter::WriteDictionary(std::move(records), options).bytes;
  }

  std::shared_ptr<Dictionary> OpenBytes(const Buffer& bytes) {
    const std::u16string path = dir_.File("file" + std::to_string(++files_) + ".dic");
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Dictionary::Open(path, nullptr);
  }

  testing::TempDir dir_;
  int files_ = 0;
};

TEST_F(HostileFiles, HeadersThatAreRefused) {
  const Buffer valid = ValidFile();
  ASSERT_NE(OpenBytes(valid), nullptr);
  EXPECT_EQ(Dictionary::Open(dir_.File("missing.dic"), nullptr), nullptr);
  EXPECT_EQ(Dictionary::Open(dir_.path().u16string(), nullptr), nullptr);  // a directory
  EXPECT_EQ(OpenBytes(Buffer(valid.begin(), valid.begin() + 255)), nullptr);

  struct Damage {
    const char* what;
    size_t offset;
    uint32_t value;
    int width;
  };
  const Damage damages[] = {
      {"version 3", 0x8D, 3, 1},
      {"version 7", 0x8D, 7, 1},
      {"attribute length 2", 0xA6, 2, 1},
      {"character set 0x10", 0xA7, 0x10, 1},
      {"block size 0", 0x92, 0, 2},
      {"negative block size", 0x92, 0xFF00, 2},
      {"negative index blocks", 0x94, 0xFFFF, 2},
      {"negative header size", 0x96, 0xFF00, 2},
      {"index past the end of the file", 0x94, 0x7FFF, 2},
      {"extended header past the end", 0xB8, 0x7FFFFFF0, 4},
      {"entry count 0x7fffffff", 0xC0, 0x7FFFFFFF, 4},
      {"entry count above 2^31", 0xC0, 0xFFFFFFFF, 4},
  };
  for (const Damage& d : damages) {
    Buffer damaged = valid;
    Put(damaged, d.offset, d.value, d.width);
    EXPECT_EQ(OpenBytes(damaged), nullptr) << d.what;
  }
}

TEST_F(HostileFiles, EntryCountBeyondTheEntriesTheIndexHolds) {
  // As many entries as could fit if each were a bare block number and zero
  // byte: the walk over the real, longer entries runs out of index first.
  Buffer damaged = ValidFile();
  const uint32_t indexLength = ReadU16(damaged.data() + 0x94) * 256u;
  Put(damaged, 0xC0, indexLength / 3, 4);
  EXPECT_EQ(OpenBytes(damaged), nullptr);
}

TEST_F(HostileFiles, IndexWalkToTheLastByte) {
  // One 256-byte index block packed with entries of every headword length from
  // 1 to 13 (2-byte block numbers), so that the zero bytes fall at every offset
  // within eight; the last headword's zero is the index area's last byte.
  Buffer file = ValidFile();
  Put(file, 0x94, 1, 2);
  Put(file, 0xB6, 0, 1);
  const size_t index = 256;
  std::fill(file.begin() + index, file.begin() + index + 256, 0);
  uint32_t entries = 0;
  size_t position = 0;
  for (size_t length = 1; 256 - position > 3; length = length % 13 + 1, ++entries) {
    length = std::min(length, 256 - position - 3);
    std::fill_n(file.begin() + static_cast<ptrdiff_t>(index + position + 2), length, 'a');
    position += 2 + length + 1;
  }
  ASSERT_EQ(position, 256u);
  Put(file, 0xC0, entries, 4);
  EXPECT_NE(OpenBytes(file), nullptr);

  Buffer unterminated = file;  // the last headword runs off the end of the index area
  unterminated[index + 255] = 'a';
  EXPECT_EQ(OpenBytes(unterminated), nullptr);
}

TEST_F(HostileFiles, VersionFourRules) {
  const Buffer valid = ValidFile(dicwriter::Charset::kAnsi, 4);
  ASSERT_NE(OpenBytes(valid), nullptr);
  Buffer wrongBlockSize = valid;
  Put(wrongBlockSize, 0x92, 512, 2);
  EXPECT_EQ(OpenBytes(wrongBlockSize), nullptr);
  Buffer wrongHeaderSize = valid;
  Put(wrongHeaderSize, 0x96, 512, 2);
  EXPECT_EQ(OpenBytes(wrongHeaderSize), nullptr);
}

TEST_F(HostileFiles, MinorVersionIsIgnored) {
  Buffer minor = ValidFile();
  Put(minor, 0x8C, 0x01, 1);
  EXPECT_NE(OpenBytes(minor), nullptr);
}

// A small dictionary whose DecodeBlock is fed hand-made blocks.
class HandMadeBlocks : public HostileFiles {
 protected:
  void SetUp() override {
    bocu_ = OpenBytes(ValidFile(dicwriter::Charset::kBocu1));
    ansi_ = OpenBytes(ValidFile(dicwriter::Charset::kAnsi));
    ASSERT_NE(bocu_, nullptr);
    ASSERT_NE(ansi_, nullptr);
  }

  // Lower-case ASCII letters are single BOCU-1 bytes from the initial state.
  static Buffer Ascii(std::string_view text) {
    Buffer out;
    for (char c : text) out.push_back(c == '\t' ? 0x09 : static_cast<uint8_t>(0x90 + c - 0x40));
    return out;
  }

  // A BOCU-1 record with 2-byte lengths: L | shared | attributes | tail 00 | body.
  static void AddBocu(Buffer& block, uint8_t shared, uint8_t attributes, const Buffer& tail,
                      const Buffer& body) {
    const size_t length = tail.size() + 1 + body.size();
    block.push_back(static_cast<uint8_t>(length));
    block.push_back(static_cast<uint8_t>(length >> 8));
    block.push_back(shared);
    block.push_back(attributes);
    block.insert(block.end(), tail.begin(), tail.end());
    block.push_back(0);
    block.insert(block.end(), body.begin(), body.end());
  }

  static Buffer Block() { return {0x01, 0x00}; }
  static void End(Buffer& block) { block.insert(block.end(), {0, 0}); }

  std::vector<Entry> DecodeBocu(const Buffer& block) {
    std::vector<Entry> entries;
    bocu_->DecodeBlock(block, entries, false, false);
    return entries;
  }

  std::shared_ptr<Dictionary> bocu_;
  std::shared_ptr<Dictionary> ansi_;
};

TEST_F(HandMadeBlocks, SharedPrefixes) {
  Buffer block = Block();
  AddBocu(block, 0, 0, Ascii("abcdef"), {});
  AddBocu(block, 3, 0, Ascii("x"), {});
  AddBocu(block, 4, 0, {}, {});          // the whole previous headword, nothing added
  AddBocu(block, 9, 0, Ascii("y"), {});  // longer than the previous headword: the block ends
  AddBocu(block, 0, 0, Ascii("z"), {});
  End(block);
  const auto entries = DecodeBocu(block);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].key, u"abcdef");
  EXPECT_EQ(entries[1].key, u"abcx");
  EXPECT_EQ(entries[2].key, u"abcx");

  Buffer firstShares = Block();
  AddBocu(firstShares, 1, 0, Ascii("a"), {});
  End(firstShares);
  EXPECT_TRUE(DecodeBocu(firstShares).empty());
}

TEST_F(HandMadeBlocks, LengthsThatRunPastTheBlock) {
  Buffer block = Block();
  AddBocu(block, 0, 0, Ascii("abc"), Ascii("one"));
  AddBocu(block, 0, 0, Ascii("abd"), Ascii("two"));
  block.resize(block.size() - 1);  // the last record is cut short, and no end marker
  const auto entries = DecodeBocu(block);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].translation, u"one");

  // A 4-byte length of 0xFFFFFFFF, and a block too short for its first length.
  EXPECT_TRUE(DecodeBocu({0x01, 0x80, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}).empty());
  std::vector<Entry> entries4;
  bocu_->DecodeBlock(Buffer{0x01, 0x80, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}, entries4, true, false);
  EXPECT_TRUE(entries4.empty());
  EXPECT_TRUE(DecodeBocu({0x01}).empty());
}

TEST_F(HandMadeBlocks, Bodies) {
  Buffer block = Block();
  AddBocu(block, 0, 0, Ascii("a"), {});  // empty plain body
  Buffer fields = Ascii("t");
  fields.push_back(0);
  for (uint8_t b : {0x02}) fields.push_back(b);
  for (uint8_t b : Ascii("p")) fields.push_back(b);
  fields.insert(fields.end(), {0x00, 0x03, 0xB1, 0x00, 0x01});  // 0x03: a field skipped whole
  for (uint8_t b : Ascii("e")) fields.push_back(b);
  fields.insert(fields.end(), {0x00, 0x80, 0x01, 0xB1, 0x00});  // nothing after the end byte counts
  AddBocu(block, 0, 0x10, Ascii("b"), fields);
  Buffer unread = Ascii("u");
  unread.insert(unread.end(), {0x00, 0x14, 0xB1, 0x00, 0x01, 0xB2, 0x00, 0x80});
  AddBocu(block, 0, 0x10, Ascii("c"), unread);
  Buffer cut = Ascii("v");
  cut.insert(cut.end(), {0x00, 0x01, 0xB1, 0xD0});  // example without its zero, ending mid-sequence
  AddBocu(block, 0, 0x10, Ascii("d"), cut);
  Buffer extension = Ascii("w");  // 0x42: bit 0x40 ends the reading, though its low bits say pronunciation
  extension.insert(extension.end(), {0x00, 0x42, 0xB1, 0x00, 0x01, 0xB2, 0x00, 0x80});
  AddBocu(block, 0, 0x10, Ascii("e"), extension);
  End(block);

  const auto entries = DecodeBocu(block);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].translation, u"");
  EXPECT_EQ(entries[1].translation, u"t");
  EXPECT_EQ(entries[1].pronunciation, u"p");
  EXPECT_EQ(entries[1].example, u"e");
  EXPECT_EQ(entries[1].attributes, 0x10);
  EXPECT_EQ(entries[2].translation, u"u");
  EXPECT_EQ(entries[2].example, u"");
  EXPECT_EQ(entries[3].translation, u"v");
  EXPECT_EQ(entries[3].example, u"a");
  EXPECT_EQ(entries[4].translation, u"w");
  EXPECT_EQ(entries[4].pronunciation, u"");
  EXPECT_EQ(entries[4].example, u"");
}

TEST_F(HandMadeBlocks, HeadwordsSplitAtTheFirstTab) {
  Buffer block = Block();
  AddBocu(block, 0, 0, {}, {});
  AddBocu(block, 0, 0, Ascii("\t\t"), {});
  AddBocu(block, 0, 0, Ascii("\txyz"), {});
  AddBocu(block, 0, 0, Ascii("abc\tabd\tx"), {});
  Buffer cut = Ascii("ab");
  cut.push_back(0xD0);  // a headword ending inside a two-byte difference
  AddBocu(block, 0, 0, cut, {});
  End(block);
  const auto entries = DecodeBocu(block);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].key, u"");
  EXPECT_EQ(entries[1].key, u"");
  EXPECT_EQ(entries[1].display, u"");
  EXPECT_EQ(entries[2].key, u"xyz");
  EXPECT_EQ(entries[2].display, u"");
  EXPECT_EQ(entries[3].key, u"abc");
  EXPECT_EQ(entries[3].display, u"abd");
  EXPECT_EQ(entries[4].key, u"ab");
}

TEST_F(HandMadeBlocks, AnsiRecords) {
  // L | shared | tail 00 | attributes | body; shift-JIS "あ" is 82 A0.
  Buffer block = {
      0x01, 0x00, 0x06, 0x00, 0x00, 'a',  'b',  0x00, 0x00, 0x82, 0xA0, 0x03,
      0x00, 0x01, 'c',  0x00, 0x00, 0x03, 0x00, 0xC8, 'x',  0x00, 0x00,  // shared count 200: the block ends
      0x00, 0x00};
  std::vector<Entry> entries;
  ansi_->DecodeBlock(block, entries, false, false);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].key, u"ab");
  EXPECT_EQ(entries[0].translation, u"\u3042");
  EXPECT_EQ(entries[1].key, u"ac");
  EXPECT_EQ(entries[1].display, u"");

  // A headword without its zero byte takes the rest of the record; no attribute byte is left.
  Buffer unterminated = {0x01, 0x00, 0x02, 0x00, 0x00, 'q', 'r', 0x00, 0x00};
  entries.clear();
  ansi_->DecodeBlock(unterminated, entries, false, false);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].key, u"qr");
  EXPECT_EQ(entries[0].attributes, 0);
}

TEST_F(HostileFiles, BlocksThatClaimMoreThanTheFileHolds) {
  Buffer bytes = ValidFile();
  const auto dictionary = OpenBytes(bytes);
  ASSERT_NE(dictionary, nullptr);
  const uint32_t block = dictionary->BlockOfIndexEntry(0);
  const size_t blockStart = static_cast<size_t>(dictionary->layout().dataOffset) + block * 256u;

  std::vector<Entry> intact;
  ASSERT_TRUE(dictionary->LoadBlock(block, false, intact));
  // 32767 units claimed: only what the file holds is read and decoded.
  Put(bytes, blockStart, 0x7FFF, 2);
  const auto damaged = OpenBytes(bytes);
  std::vector<Entry> entries;
  ASSERT_TRUE(damaged->LoadBlock(block, false, entries));
  ASSERT_EQ(entries.size(), intact.size());
  EXPECT_EQ(entries.back().key, intact.back().key);

  // Block numbers past the end of the file, or a file gone since it was opened.
  EXPECT_FALSE(dictionary->LoadBlock(0x00FFFFFF, false, entries));
  EXPECT_FALSE(dictionary->LoadBlock(0xFFFFFFFF, false, entries));
  std::filesystem::remove(std::filesystem::path(dictionary->path()));
  EXPECT_FALSE(dictionary->LoadBlock(block, false, entries));
}

}  // namespace
}  // namespace tavlex
