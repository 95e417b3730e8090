// A dictionary file that changes while it is open: replaced by another
// dictionary, rewritten in place, truncated, filled with noise, deleted.
// Searches read blocks anew on every cache miss and must stay inside what
// they read; results already held stay valid.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "engine/dictionary.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

std::vector<std::u16string> Keys(char16_t first, int count) {
  std::vector<std::u16string> keys;
  for (int i = 0; i < count; ++i) {
    keys.push_back(std::u16string(1, first) + static_cast<char16_t>(u'a' + i / 26 % 26) +
                   static_cast<char16_t>(u'a' + i % 26) + static_cast<char16_t>(u'a' + i / 676));
  }
  return keys;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class ChangingFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = testing::WriteTestDictionary(dir_, "words.dic", testing::Words(Keys(u'p', 300)),
                                         testing::SmallBlocks(4));
    dicwriter::Options other = testing::SmallBlocks(7);
    other.charset = dicwriter::Charset::kAnsi;
    other.blockSize = 512;
    otherPath_ = testing::WriteTestDictionary(dir_, "other.dic", testing::Words(Keys(u'p', 900)), other);
    original_ = ReadBytes(path_);
    dictionary_ = Dictionary::Open(path_, nullptr);
    ASSERT_NE(dictionary_, nullptr);
  }

  // Searches across the whole index; returns how many entries were found.
  size_t SearchEverywhere() {
    size_t found = 0;
    for (const char16_t* query : {u"p", u"pa", u"paza", u"pcma", u"pkna", u"plza", u"q", u"o"}) {
      dictionary_->SetCacheSize(0);  // drops every block: the search reads the file again
      dictionary_->SetCacheSize(2);
      dictionary_->Search(query);
      for (const EntryRef& entry : dictionary_->results()) {
        EXPECT_LE(entry->key.size(), 1024u);
        ++found;
      }
    }
    return found;
  }

  testing::TempDir dir_;
  std::u16string path_, otherPath_;
  std::string original_;
  std::shared_ptr<Dictionary> dictionary_;
};

TEST_F(ChangingFile, SearchesSurviveEveryChangeAndRecoverWhenTheFileReturns) {
  const size_t expected = SearchEverywhere();
  ASSERT_GT(expected, 0u);
  dictionary_->SetCacheSize(2);
  ASSERT_TRUE(dictionary_->Search(u"pkna"));
  const EntryRef held = dictionary_->results().front();

  fs::copy_file(otherPath_, path_ + u".new");
  fs::rename(path_ + u".new", path_);  // replaced by another file, as a save does
  SearchEverywhere();
  WriteBytes(path_, ReadBytes(otherPath_));  // rewritten in place
  SearchEverywhere();

  std::mt19937 random(13);
  for (int round = 0; round < 60; ++round) {
    std::string bytes = original_;
    if (round % 3 == 0) {
      bytes.resize(std::uniform_int_distribution<size_t>(0, original_.size())(random));
    } else {
      // Noise over a random stretch: block words, lengths and text all lie.
      const size_t from = std::uniform_int_distribution<size_t>(0, original_.size() - 1)(random);
      const size_t to = std::min(original_.size(), from + 1 + random() % 2048);
      for (size_t i = from; i < to; ++i) bytes[i] = static_cast<char>(random());
    }
    WriteBytes(path_, bytes);
    SearchEverywhere();
  }

  fs::remove(path_);
  EXPECT_EQ(SearchEverywhere(), 0u);
  EXPECT_EQ(held->key, u"pkna");  // a result held all along is untouched
  EXPECT_EQ(held->translation, u"T:pkna");

  WriteBytes(path_, original_);
  EXPECT_EQ(SearchEverywhere(), expected);
}

}  // namespace
}  // namespace tavlex
