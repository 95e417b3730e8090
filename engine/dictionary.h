// Dictionary: one open PDIC dictionary file. It keeps its index area in
// memory (engine/index_area.h: whole, or the pieces a look-up read when a
// position table was at hand), and reads data blocks from the file on demand:
// one at a time with LoadBlock, many through one open file with a
// BlockReader (engine/block_reader.h).
//
// Two variants exist, chosen by the header's character set: AnsiDictionary
// (code page 932 text) and Bocu1Dictionary (BOCU-1 text). They differ in how
// records are laid out and how the index is compared with a query.
//
// Dictionaries are always owned through std::shared_ptr (Open creates them so):
// the entries they decode refer back to them weakly.
#pragma once

#include <cassert>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/file.h"
#include "engine/block_cache.h"
#include "engine/block_keys.h"
#include "engine/block_reader.h"
#include "engine/dictionary_settings.h"
#include "engine/entry.h"
#include "engine/format/block_format.h"
#include "engine/format/dictionary_header.h"
#include "engine/index_area.h"
#include "engine/position_table.h"

namespace tavlex {

class DictionaryOwner;

class Dictionary : public std::enable_shared_from_this<Dictionary> {
 public:
  // Checks the file's header and loads its index. None when the file is
  // refused: it cannot be read, is not a dictionary, or is damaged.
  // positionsFolder: where the dictionary's position table is kept (the
  // cache folder), read when it fits the file and written when the index is
  // read whole; empty: no table, the index is read whole.
  static std::shared_ptr<Dictionary> Open(const std::u16string& path, DictionaryOwner* owner,
                                          const std::filesystem::path& positionsFolder = {});

  virtual ~Dictionary() = default;
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;

  const std::u16string& path() const { return path_; }

  // The settings the view reads and writes directly. A new dictionary has a
  // cacheSize and searchMax of 10 and every flag off. Change cacheSize through
  // SetCacheSize, which also drops the blocks beyond the new size.
  DictionarySettings& settings() { return settings_; }
  const DictionarySettings& settings() const { return settings_; }
  void SetCacheSize(int32_t n);

  // Prefix search: collects the entries whose key begins with the query, up
  // to searchMax, looking at no more than cacheSize blocks. True when a key
  // equals the query. The entries are left in results().
  bool Search(const std::u16string& query);

  // The fallbacks tried when the plain search finds no exact headword: lower
  // case, base forms, respelling. True when one of them left its entries in
  // results(); false leaves the plain result (or, for a dictionary without the
  // english flag, the results untouched).
  bool SearchInflected(const std::u16string& query);

  // Entries found by the last search, in dictionary order. They stay valid
  // for as long as they are held, whatever the cache does meanwhile.
  const std::vector<EntryRef>& results() const { return results_; }

  // Some headword of the two blocks around text's index position begins with text.
  bool HasPrefix(const std::u16string& text);
  // The translation of the headword equal to word in its block, or empty.
  std::u16string TranslationOf(const std::u16string& word);
  // word respelled, letter by letter, with upper-case and (with accents)
  // accented letters where no headword continues with the word's own letter.
  std::u16string ExpandSpelling(const std::u16string& word, bool useIrregularPrefixes, bool accents);

  // Block b through the cache; none when the file cannot be read.
  BlockRef FetchBlock(uint32_t b, bool headwordsOnly);
  // The same through reader, opened here on the first block not cached, so
  // that the blocks of one search share one handle on the file.
  BlockRef FetchBlock(uint32_t b, bool headwordsOnly, std::optional<BlockReader>& reader);
  const BlockCache& cache() const { return cache_; }
  const DictionaryLayout& layout() const { return layout_; }
  int32_t indexEntryCount() const { return layout_.indexEntryCount; }

  // The data block that index entry i (0 <= i < indexEntryCount) describes.
  uint32_t BlockOfIndexEntry(int32_t i) const;

  // The last index entry whose headword is not greater than the query, or 0
  // when the query sorts before the first (or the index is empty).
  virtual int32_t FindIndexEntry(const std::u16string& query) const = 0;

  // The index entries [first, last] whose blocks may hold keys that begin
  // with prefix: first is the last entry whose headword sorts before prefix
  // (or 0), last the last one whose headword sorts before every text that
  // begins with prefix. When last > first, the headword of `last` begins with
  // prefix; when they are equal, only that block can say. Empty (last < first)
  // for an empty index. within: the span of a start of prefix (AllBlocks()
  // when none is known), which the answer lies in; only it is searched.
  struct BlockSpan {
    int32_t first = 0;
    int32_t last = -1;
  };
  BlockSpan AllBlocks() const { return {0, indexEntryCount() - 1}; }
  virtual BlockSpan PrefixBlocks(const std::u16string& prefix, BlockSpan within) const = 0;

  // Decodes the records of a block (block word included) into entries.
  // headwordsOnly leaves translation, pronunciation and example empty.
  virtual void DecodeBlock(Bytes block, std::vector<Entry>& entries, bool fourByteLengths,
                           bool headwordsOnly) const = 0;
  // Decodes the keys of a block's records alone, in file order, into keys
  // (emptied first): the keys DecodeBlock gives its entries.
  virtual void DecodeKeys(Bytes block, bool fourByteLengths, BlockKeys& keys) const = 0;

  // Reads data block `number` from the file and decodes it into entries.
  // False when the file cannot be opened or holds no such block.
  bool LoadBlock(uint32_t number, bool headwordsOnly, std::vector<Entry>& entries) const;

 protected:
  Dictionary(std::u16string path, const DictionaryLayout& layout, DictionaryOwner* owner);

  // Room in entries for the records that follow, so that decoding a block
  // moves no entry; at most a block's worth of a usual one, whatever a
  // damaged block's lengths claim.
  static void ReserveFor(const RecordIterator& records, std::vector<Entry>& entries);
  static constexpr size_t kMostReserved = 1024;

  // Index entry i's stored headword; its zero byte lies inside the index buffer.
  const uint8_t* IndexHeadword(int32_t i) const {
    assert(i >= 0 && i < indexEntryCount());
    return index_->Headword(i);
  }

  // The binary search that FindIndexEntry runs in both variants;
  // queryBefore(i) tells whether the query sorts before index entry i.
  template <typename QueryBefore>
  int32_t SearchIndex(QueryBefore queryBefore) const {
    return SearchIndex(AllBlocks(), queryBefore);
  }
  // The same over the entries of span only: the last of them that the query
  // does not sort before, or span.first.
  template <typename QueryBefore>
  int32_t SearchIndex(BlockSpan span, QueryBefore queryBefore) const {
    int32_t lo = span.first;
    int32_t hi = span.last + 1;
    while (hi - lo > 1) {
      const int32_t mid = lo + (hi - lo) / 2;
      if (queryBefore(mid)) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    return lo;
  }

 private:
  friend class BlockReader;

  bool LoadIndex(const std::filesystem::path& positionsFolder);
  // The index in pieces, as the table at tablePath places them, when the
  // table fits the file (stamp) and the data block the last piece's first
  // record names begins with that record's headword; none otherwise.
  std::unique_ptr<IndexArea> IndexInPieces(const std::filesystem::path& tablePath,
                                           const PositionStamp& stamp);
  // A handle on the dictionary's file; none when it cannot be opened.
  std::optional<File> OpenFile() const;
  // Reads block `number` through an open handle, fileSize being the file's size.
  bool ReadBlock(const File& file, uint64_t fileSize, uint32_t number, bool headwordsOnly,
                 std::vector<Entry>& entries) const;
  bool ReadKeys(const File& file, uint64_t fileSize, uint32_t number, BlockKeys& keys) const;
  // Reads block `number` and hands its bytes and whether its records have
  // 4-byte lengths to use; false when the file holds no such block.
  template <typename Use>
  bool WithBlock(const File& file, uint64_t fileSize, uint32_t number, Use use) const;

  std::u16string path_;
  std::filesystem::path filePath_;
  DictionaryLayout layout_;
  DictionaryOwner* owner_;  // the set that owns this dictionary; outlives it
  std::unique_ptr<IndexArea> index_;
  DictionarySettings settings_;
  BlockCache cache_;
  std::vector<EntryRef> results_;
};

}  // namespace tavlex
