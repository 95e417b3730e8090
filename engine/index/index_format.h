// The full-text index file of one dictionary, shared by its reader
// (engine/index/text_index.h) and its writer (engine/index/text_index_writer.h).
// For every gram (engine/index/text_grams.h) the file names the units, runs of
// consecutive blocks, whose text holds it.
//
// Index file (little-endian):
//   0  "TAVLEXTI"             8  u32 format version     12  u32 block count
//  16  u64 dictionary size   24  i64 modification time (ns since the epoch)
//  32  u64 dictionary checksum (XXH3 of its header and index area)
//  40  u32 gram count        44  u32 path length       48  u32 blocks per unit
//  52  u32 page count        56  u32 entry count       60  u32 word count
//  64  u32 word page count   68  u32 word flags (kAccentsKeepWords)
//  72  u64 header checksum
//  80  dictionary path (UTF-8)
//      page table: page count x (u64 first gram | u64 offset | u32 length | u32 checksum)
//      word page table: word page count x
//        (u64 offset | u32 length | u32 checksum | u64 offset of its first word's posting)
//      pages, each of up to kGramsPerPage grams in ascending order:
//        varint gram - previous gram (the first: 0 from the page's first gram),
//        the entries holding the gram (GramCounts): varint entries << 2 |
//        2 if the narrowest folding finds fewer | 1 if a headword holds it,
//        then (1) varint headword entries, (2) varint how many fewer entries
//        and headword entries the narrowest folding finds,
//        varint posting length, posting (engine/index/posting_list.h)
//      word pages, each of up to kWordsPerPage words (engine/index/text_words.h)
//        of the text folded in the narrowest way, ascending:
//        varint length, the word's characters, varint posting length
//      word postings, of the words in the order of the pages: u32 checksum
//        (the low half of the posting's XXH3), the posting of the entries
//        holding the word in any field, entries numbered from 0 across the
//        blocks in the order of the dictionary's index
// The header checksum covers the bytes before it, the path and the page
// tables; each page carries the low half of its own XXH3, each word posting
// its own. The file is
// untrusted: it is checked when opened and each page when read, and a file
// that fails is not used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/index/text_grams.h"

namespace tavlex {

class Dictionary;

inline constexpr char kIndexMagic[8] = {'T', 'A', 'V', 'L', 'E', 'X', 'T', 'I'};
inline constexpr uint32_t kIndexFormatVersion = 4;
inline constexpr size_t kIndexHeaderSize = 80;
inline constexpr size_t kCheckedHeader = 72;  // the bytes before the header checksum
inline constexpr size_t kPageRow = 24;
inline constexpr size_t kWordPageRow = 24;
inline constexpr size_t kWordsPerPage = 512;
inline constexpr size_t kPostingChecksumSize = 4;
// The words of the text folded with accents are those of the narrowest
// folding, in every field of every entry: a word count holds for both.
inline constexpr uint32_t kAccentsKeepWords = 1;
inline constexpr uint32_t kLongestIndexedPath = 64 * 1024;
inline constexpr size_t kGramsPerPage = 128;
inline constexpr uint32_t kMostBlocksPerUnit = 4096;

// What an index was built from.
struct IndexStamp {
  std::u16string path;
  uint64_t size = 0;
  int64_t modified = 0;  // nanoseconds since the epoch
  uint64_t checksum = 0;
  uint32_t blockCount = 0;  // the dictionary's index entries

  bool operator==(const IndexStamp&) const = default;
};

// What a verification of a query that is this one gram would count: the
// entries whose text (any field) holds it, and those whose headword does,
// with the text folded in the widest way, and in the narrowest (neither kana
// nor accents; the gram's own characters where the widest folding found it).
// A folding in between counts no fewer than the narrowest and no more than
// the widest.
struct GramCounts {
  uint32_t entries = 0;
  uint32_t headwordEntries = 0;
  uint32_t narrowEntries = 0;
  uint32_t narrowHeadwordEntries = 0;

  bool operator==(const GramCounts&) const = default;
};

// The dictionary file's stamp as it is now; none when the file cannot be read.
std::optional<IndexStamp> StampOf(const Dictionary& dictionary);

// Blocks per unit for a dictionary's block size: units of at least 1 KB, so
// that dictionaries of small blocks keep a small index (the grams of
// neighbouring blocks repeat) without reading much more per query.
uint32_t BlocksPerUnit(int32_t blockSize);

// The units of blockCount blocks.
inline uint32_t UnitCount(uint32_t blockCount, uint32_t blocksPerUnit) {
  return static_cast<uint32_t>((uint64_t{blockCount} + blocksPerUnit - 1) / blocksPerUnit);
}

uint32_t PageChecksum(const void* data, size_t size);
// XXH3 of the checked header bytes followed by the path and the page table.
uint64_t HeaderChecksum(const void* header, const void* rest, size_t restSize);

}  // namespace tavlex
