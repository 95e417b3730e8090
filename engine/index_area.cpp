#include "engine/index_area.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/position_table.h"

namespace tavlex {
namespace {

// The widest block number: a record that cannot be read is this many zero
// bytes (block 0) and an empty headword.
constexpr size_t kWidestNumber = 4;

// The position of the first zero byte in bytes[from, length), or length when
// there is none. Headwords are short: testing eight bytes at a time beats a
// memchr call for each.
size_t NextZero(const uint8_t* bytes, size_t from, size_t length) {
  constexpr uint64_t kOnes = 0x0101010101010101;
  constexpr uint64_t kHighBits = 0x8080808080808080;
  // The first flagged byte is the first zero only in little-endian order.
  constexpr bool kWordAtATime = std::endian::native == std::endian::little;
  size_t position = from;
  for (; kWordAtATime && length - position >= sizeof(uint64_t); position += sizeof(uint64_t)) {
    uint64_t word;
    std::memcpy(&word, bytes + position, sizeof word);
    // Sets the high bit of the first zero byte, and maybe of some bytes after it.
    const uint64_t zeros = (word - kOnes) & ~word & kHighBits;
    if (zeros != 0) return position + static_cast<size_t>(std::countr_zero(zeros)) / 8;
  }
  const void* zero = std::memchr(bytes + position, 0, length - position);
  return zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - bytes) : length;
}

}  // namespace

IndexArea::~IndexArea() = default;

std::unique_ptr<IndexArea::Whole> IndexArea::Walk(const File& file, uint64_t offset, size_t length,
                                                  size_t records, int width, bool exact) {
  // The callers' lengths and counts lie inside the file (ReadLayout checked
  // the area, the table's positions lie inside it): neither allocation
  // exceeds the file.
  auto read = std::make_unique<Whole>();
  read->bytes = std::make_unique_for_overwrite<uint8_t[]>(length);
  if (file.ReadAt(offset, read->bytes.get(), length) != length) return nullptr;
  read->at = std::make_unique_for_overwrite<uint32_t[]>(records);
  const uint8_t* const begin = read->bytes.get();
  const size_t numberWidth = static_cast<size_t>(width);
  size_t position = 0;
  for (size_t i = 0; i < records; ++i) {
    if (length - position < numberWidth) return nullptr;
    position += numberWidth;
    const size_t zero = NextZero(begin, position, length);
    if (zero == length) return nullptr;
    read->at[i] = static_cast<uint32_t>(position);
    position = zero + 1;
  }
  if (exact && position != length) return nullptr;
  return read;
}

std::unique_ptr<IndexArea> IndexArea::ReadWhole(const File& file, const DictionaryLayout& layout) {
  std::unique_ptr<IndexArea> area(new IndexArea(layout));
  area->ownedWhole_ =
      Walk(file, static_cast<uint64_t>(layout.indexOffset), static_cast<size_t>(layout.indexLength),
           static_cast<size_t>(layout.indexEntryCount), layout.blockNumberWidth, false);
  if (!area->ownedWhole_) return nullptr;
  area->walked_ = true;
  area->whole_.store(area->ownedWhole_.get(), std::memory_order_release);
  return area;
}

std::unique_ptr<IndexArea> IndexArea::ReadInPieces(File file, const DictionaryLayout& layout,
                                                   std::vector<uint32_t> positions, WholeRead onWholeRead) {
  std::unique_ptr<IndexArea> area(new IndexArea(layout));
  area->file_.emplace(std::move(file));
  area->pieces_ = std::make_unique<std::atomic<const Whole*>[]>(positions.size());
  area->positions_ = std::move(positions);
  area->onWholeRead_ = std::move(onWholeRead);
  return area;
}

const uint8_t* IndexArea::PieceHeadword(int32_t i) const {
  const auto record = static_cast<size_t>(i);
  const size_t p = record / kPositionStride;
  const Whole* piece = pieces_[p].load(std::memory_order_acquire);
  if (!piece) {
    const std::lock_guard lock(mutex_);
    if (whole_.load(std::memory_order_relaxed) == nullptr) {
      piece = pieces_[p].load(std::memory_order_relaxed);
      if (!piece) {
        // Every piece but the last ends where the next begins; the last one
        // with the area, whose last index block is padded with zero bytes.
        const bool last = p + 1 == positions_.size();
        const size_t begin = positions_[p];
        const size_t end = last ? static_cast<size_t>(layout_.indexLength) : positions_[p + 1];
        const size_t records = std::min<size_t>(
            kPositionStride, static_cast<size_t>(layout_.indexEntryCount) - p * kPositionStride);
        std::unique_ptr<Whole> read = Walk(*file_, static_cast<uint64_t>(layout_.indexOffset) + begin,
                                           end - begin, records, layout_.blockNumberWidth, !last);
        if (read) {
          piece = read.get();
          ownedPieces_.push_back(std::move(read));
          pieces_[p].store(piece, std::memory_order_release);
        } else {
          ReadWholeInstead();
        }
      }
    }
    if (const Whole* whole = whole_.load(std::memory_order_relaxed)) return whole->bytes.get() + whole->at[i];
  }
  return piece->bytes.get() + piece->at[record % kPositionStride];
}

void IndexArea::ReadWholeInstead() const {
  ownedWhole_ =
      Walk(*file_, static_cast<uint64_t>(layout_.indexOffset), static_cast<size_t>(layout_.indexLength),
           static_cast<size_t>(layout_.indexEntryCount), layout_.blockNumberWidth, false);
  const bool read = ownedWhole_ != nullptr;
  if (!read) {
    // The file changed under the dictionary: every record reads as empty.
    const auto count = static_cast<size_t>(layout_.indexEntryCount);
    ownedWhole_ = std::make_unique<Whole>();
    ownedWhole_->bytes = std::make_unique<uint8_t[]>(kWidestNumber + 1);
    ownedWhole_->at = std::make_unique_for_overwrite<uint32_t[]>(count);
    std::fill_n(ownedWhole_->at.get(), count, static_cast<uint32_t>(kWidestNumber));
  }
  walked_ = read;
  whole_.store(ownedWhole_.get(), std::memory_order_release);
  if (read && onWholeRead_) onWholeRead_(*this);
}

std::vector<uint32_t> IndexArea::PiecePositions() const {
  const Whole* whole = whole_.load(std::memory_order_acquire);
  if (!whole || !walked_) return {};
  std::vector<uint32_t> positions(PieceCount(static_cast<uint32_t>(layout_.indexEntryCount)));
  for (size_t p = 0; p < positions.size(); ++p) {
    positions[p] = whole->at[p * kPositionStride] - static_cast<uint32_t>(layout_.blockNumberWidth);
  }
  return positions;
}

}  // namespace tavlex
