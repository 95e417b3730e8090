// TextIndex: the full-text index of one dictionary, read from its index
// file. For every gram (engine/text_grams.h) it names the blocks whose text
// holds it, so a query reads only the blocks that can hold a hit.
//
// Index file (little-endian):
//   0  "TAVLEXTI"             8  u32 format version     12  u32 block count
//  16  u64 dictionary size   24  i64 modification time (ns since the epoch)
//  32  u64 dictionary checksum (XXH3 of its header and index area)
//  40  u32 gram count        44  u32 path length       48  u64 table checksum
//  56  dictionary path (UTF-8)
//      gram table, ascending: u64 gram | u64 offset | u32 length | u32 checksum
//      postings: one portable Roaring bitmap per gram (engine/block_postings.h)
// The table checksum covers the first 48 bytes, the path and the table; each
// posting carries the low half of its own XXH3. The file is untrusted: it is
// checked when opened and each posting when read, and a file that fails is
// not used.
//
// A TextIndex is immutable and may be used from several threads at once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/block_postings.h"
#include "engine/file.h"
#include "engine/text_grams.h"

namespace tavlex {

class Dictionary;

// What an index was built from.
struct IndexStamp {
  std::u16string path;
  uint64_t size = 0;
  int64_t modified = 0;  // nanoseconds since the epoch
  uint64_t checksum = 0;
  uint32_t blockCount = 0;  // the dictionary's index entries

  bool operator==(const IndexStamp&) const = default;
};

// The dictionary file's stamp as it is now; none when the file cannot be read.
std::optional<IndexStamp> StampOf(const Dictionary& dictionary);

class TextIndex {
 public:
  // None when the file is missing, damaged, of another format version, or
  // was built from anything but `expected`.
  static std::shared_ptr<const TextIndex> Open(const std::filesystem::path& file, const IndexStamp& expected);
  // The same for a file's bytes held in memory.
  static std::shared_ptr<const TextIndex> FromBytes(std::string bytes, const IndexStamp& expected);

  TextIndex(const TextIndex&) = delete;
  TextIndex& operator=(const TextIndex&) = delete;

  // The blocks (index entry numbers, ascending) whose text holds every gram;
  // every block for no gram. None when a posting turns out damaged.
  std::optional<std::vector<uint32_t>> Candidates(std::span<const Gram> grams) const;

  uint32_t blockCount() const { return blockCount_; }
  size_t gramCount() const { return table_.size(); }

 private:
  struct Posting {
    Gram gram;
    uint64_t offset;
    uint32_t length;
    uint32_t checksum;
  };

  TextIndex() = default;
  bool Parse(uint64_t fileSize, const IndexStamp& expected);
  size_t ReadAt(uint64_t offset, uint8_t* buffer, size_t size) const;
  Bitmap ReadPosting(const Posting& posting) const;

  std::optional<File> file_;  // read from, when opened from a file
  std::string bytes_;         // read from, when held in memory
  uint32_t blockCount_ = 0;
  std::vector<Posting> table_;
};

// Gathers the postings of a build and lays out the index file.
class TextIndexWriter {
 public:
  explicit TextIndexWriter(uint32_t blockCount) : blockCount_(blockCount) {}

  // Notes that block (in increasing order per gram) holds gram.
  void Add(Gram gram, uint32_t block);
  // The file's bytes; the writer is empty afterwards.
  std::string Finish(const IndexStamp& stamp);

 private:
  uint32_t blockCount_;
  std::unordered_map<Gram, Bitmap> postings_;
};

}  // namespace tavlex
