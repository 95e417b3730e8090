// TextIndex: the full-text index of one dictionary, read from its index
// file (engine/index/index_format.h), so that a query reads only the blocks
// that can hold a hit. The file is untrusted: it is checked when opened and
// each page when read, and a file that fails is not used.
//
// Only the page table is held; pages are read as queries need them, and
// the last ones read are kept up to a bounded size.
//
// A TextIndex may be used from several threads at once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/file.h"
#include "engine/index/index_format.h"
#include "engine/index/text_grams.h"

namespace tavlex {

class TextIndex {
 public:
  // None when the file is missing, damaged, of another format version, or
  // was built from anything but `expected`.
  static std::shared_ptr<const TextIndex> Open(const std::filesystem::path& file, const IndexStamp& expected);
  // The same for a file's bytes held in memory.
  static std::shared_ptr<const TextIndex> FromBytes(std::string bytes, const IndexStamp& expected);

  TextIndex(const TextIndex&) = delete;
  TextIndex& operator=(const TextIndex&) = delete;

  // The blocks (index entry numbers, ascending) whose unit holds every gram;
  // every block for no gram. None when a page turns out damaged.
  std::optional<std::vector<uint32_t>> Candidates(std::span<const Gram> grams) const;
  // What the index records about one gram (no entry holds a gram it lacks);
  // none when its page turns out damaged.
  std::optional<GramCounts> Counts(Gram gram) const;
  // The entries whose text (any field) holds every term, each a word
  // (engine/index/text_words.h), with the text folded in the narrowest
  // way; with accents folded too where accentsKeepWords(). None when a
  // word page or posting turns out damaged.
  std::optional<uint64_t> CountHoldingWords(std::span<const std::string> terms) const;
  // Folding accents changes no word of the dictionary.
  bool accentsKeepWords() const { return wordFlags_ & kAccentsKeepWords; }

 private:
  struct Page {
    Gram first;
    uint64_t offset;
    uint32_t length;
    uint32_t checksum;
  };

  struct WordPage {
    uint64_t offset;
    uint32_t length;
    uint32_t checksum;
    uint64_t postings;  // where its first word's posting lies
  };
  // Where one word's posting lies: its checksum, then its bytes.
  struct WordPosting {
    uint64_t offset;
    uint64_t length;
  };

  using PageBytes = std::shared_ptr<const std::vector<uint8_t>>;
  struct Found {
    bool sound = true;  // false: the page is damaged
    GramCounts counts;
    std::vector<uint32_t> units;  // when asked for: the units that hold the gram
  };

  TextIndex() = default;
  bool Parse(uint64_t fileSize, const IndexStamp& expected);
  size_t ReadAt(uint64_t offset, uint8_t* buffer, size_t size) const;
  // Page `number`, checked, from the cache or the file; null when damaged.
  PageBytes ReadPage(size_t number) const;
  Found Look(Gram gram, bool units) const;
  // Word page `page`, checked, into bytes; false when damaged.
  bool ReadWordPage(const WordPage& page, std::vector<uint8_t>& bytes) const;
  // Calls take(word, posting) for each word of a word page whose postings
  // begin at posting; false when the page is malformed.
  template <typename Take>
  bool WalkWordPage(std::span<const uint8_t> bytes, uint64_t posting, Take take) const;
  // The file ends where the last word's posting does: a file cut short is refused when opened.
  bool WordPostingsEndAtFileEnd() const;
  // Every word page read once: the postings of the words holding each term; false when damaged.
  bool FindWords(std::span<const std::string> terms, std::vector<std::vector<WordPosting>>& found) const;
  // The union of the postings into bits; false when damaged.
  bool Unite(std::span<const WordPosting> postings, std::vector<uint64_t>& bits) const;

  std::optional<File> file_;  // read from, when opened from a file
  std::string bytes_;         // read from, when held in memory
  uint32_t blockCount_ = 0;
  uint32_t blocksPerUnit_ = 1;
  uint32_t unitCount_ = 0;
  std::vector<Page> pages_;
  uint64_t fileSize_ = 0;
  uint32_t entryCount_ = 0;
  uint32_t wordFlags_ = 0;
  std::vector<WordPage> wordPages_;
  // The pages read last, the latest first, at most kPageCacheBytes together.
  mutable std::mutex cacheMutex_;
  mutable std::list<std::pair<size_t, PageBytes>> cached_;
  mutable size_t cachedBytes_ = 0;
};

}  // namespace tavlex
