// TextIndex: the full-text index of one dictionary, read from its index
// file. For every gram (engine/text_grams.h) it names the units, runs of
// consecutive blocks, whose text holds it, so that a query reads only the
// blocks that can hold a hit.
//
// Index file (little-endian):
//   0  "TAVLEXTI"             8  u32 format version     12  u32 block count
//  16  u64 dictionary size   24  i64 modification time (ns since the epoch)
//  32  u64 dictionary checksum (XXH3 of its header and index area)
//  40  u32 gram count        44  u32 path length       48  u32 blocks per unit
//  52  u32 page count        56  u64 header checksum
//  64  dictionary path (UTF-8)
//      page table: page count x (u64 first gram | u64 offset | u32 length | u32 checksum)
//      pages, each of up to kGramsPerPage grams in ascending order:
//        varint gram - previous gram (the first: 0 from the page's first gram),
//        varint posting length, posting (engine/posting_list.h)
// The header checksum covers the first 56 bytes, the path and the page
// table; each page carries the low half of its own XXH3. The file is
// untrusted: it is checked when opened and each page when read, and a file
// that fails is not used.
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

#include "base/file.h"
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

// Blocks per unit for a dictionary's block size: units of at least 1 KB, so
// that dictionaries of small blocks keep a small index (the grams of
// neighbouring blocks repeat) without reading much more per query.
uint32_t BlocksPerUnit(int32_t blockSize);

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

  uint32_t blockCount() const { return blockCount_; }

 private:
  struct Page {
    Gram first;
    uint64_t offset;
    uint32_t length;
    uint32_t checksum;
  };

  TextIndex() = default;
  bool Parse(uint64_t fileSize, const IndexStamp& expected);
  size_t ReadAt(uint64_t offset, uint8_t* buffer, size_t size) const;
  // The units that hold gram: empty when none does; none when its page is damaged.
  std::optional<std::vector<uint32_t>> Units(Gram gram,
                                             std::unordered_map<size_t, std::vector<uint8_t>>& pages) const;

  std::optional<File> file_;  // read from, when opened from a file
  std::string bytes_;         // read from, when held in memory
  uint32_t blockCount_ = 0;
  uint32_t blocksPerUnit_ = 1;
  uint32_t unitCount_ = 0;
  std::vector<Page> pages_;
};

// Gathers the postings of a build and lays out the index file.
class TextIndexWriter {
 public:
  TextIndexWriter(uint32_t blockCount, uint32_t blocksPerUnit);

  // Notes that unit holds gram, once however often it is told; units come
  // in ascending order.
  void Add(Gram gram, uint32_t unit);
  // The file's bytes; the writer is empty afterwards.
  std::string Finish(const IndexStamp& stamp);

 private:
  // The units of one gram as a list (engine/posting_list.h) while it grows.
  struct Growing {
    Gram gram = 0;
    std::string gaps;
    uint32_t count = 0;
    uint32_t next = 0;  // the least the next unit can be
  };

  // The posting of gram, found in an open-addressing table: a build looks a
  // gram up for every place it occurs, and a node-based map is several times
  // slower at that.
  Growing& Find(Gram gram);

  uint32_t blockCount_;
  uint32_t blocksPerUnit_;
  std::vector<Growing> postings_;
  std::vector<uint32_t> slots_;  // posting number + 1, or 0 for a free slot; a power of two long
};

}  // namespace tavlex
