// IndexArea: a dictionary's index area, the run of (block number, headword,
// zero) records that its look-ups search, with the place of every headword.
//
// Read whole, the area is walked record by record when the dictionary opens.
// With a position table (engine/position_table.h) it is read in pieces of
// kPositionStride records, each when a look-up first asks for one of its
// records, through the dictionary's file held open; a look-up then reads a
// dozen small pieces instead of megabytes. A piece that does not hold exactly
// its records means the table was wrong: the area is then read whole, as
// without one, and told to onWholeRead so that the table can be made again.
// Nothing is ever read outside what was read from the file.
//
// Every method may be called from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "base/file.h"
#include "engine/format/dictionary_header.h"

namespace tavlex {

class IndexArea {
 public:
  using WholeRead = std::function<void(const IndexArea&)>;

  // The area read whole; none when it cannot be read or a record runs past it.
  static std::unique_ptr<IndexArea> ReadWhole(const File& file, const DictionaryLayout& layout);
  // The area to be read in pieces through file, each beginning where
  // positions (a parsed table: first 0, rising, inside the area) say.
  static std::unique_ptr<IndexArea> ReadInPieces(File file, const DictionaryLayout& layout,
                                                 std::vector<uint32_t> positions, WholeRead onWholeRead);

  ~IndexArea();
  IndexArea(const IndexArea&) = delete;
  IndexArea& operator=(const IndexArea&) = delete;

  // Record i's headword (0 <= i < the layout's entry count) with its zero
  // byte after it and the record's block number before it. A record that
  // cannot be read, the file having shrunk, reads as an empty headword of block 0.
  const uint8_t* Headword(int32_t i) const {
    if (const Whole* whole = whole_.load(std::memory_order_acquire)) return whole->bytes.get() + whole->at[i];
    return PieceHeadword(i);
  }

  // Where each piece's first record begins, for a position table; empty
  // unless the area was read whole.
  std::vector<uint32_t> PiecePositions() const;

 private:
  // Bytes read from the file and, for each record in them, where its headword begins.
  struct Whole {
    std::unique_ptr<uint8_t[]> bytes;
    std::unique_ptr<uint32_t[]> at;
  };
  explicit IndexArea(const DictionaryLayout& layout) : layout_(layout) {}
  static std::unique_ptr<Whole> Walk(const File& file, uint64_t offset, size_t length, size_t records,
                                     int width, bool exact);
  const uint8_t* PieceHeadword(int32_t i) const;
  // Reads the whole area after a piece failed; mutex_ is held.
  void ReadWholeInstead() const;

  DictionaryLayout layout_;
  mutable std::atomic<const Whole*> whole_{nullptr};
  mutable std::unique_ptr<Whole> ownedWhole_;
  mutable bool walked_ = false;  // whole_ holds the records as read, not empty ones
  // Read in pieces: the file, each piece's position, and the pieces read so far.
  std::optional<File> file_;
  std::vector<uint32_t> positions_;
  std::unique_ptr<std::atomic<const Whole*>[]> pieces_;
  mutable std::vector<std::unique_ptr<Whole>> ownedPieces_;
  WholeRead onWholeRead_;
  mutable std::mutex mutex_;
};

}  // namespace tavlex
