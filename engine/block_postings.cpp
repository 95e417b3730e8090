#include "engine/block_postings.h"

#include <bit>

#include "engine/little_endian.h"

namespace tavlex {
namespace {

constexpr uint32_t kCookieNoRuns = 12346;
constexpr uint32_t kCookieWithRuns = 12347;
constexpr size_t kOffsetsFrom = 4;  // with runs, offsets are stored from this many containers on
constexpr uint32_t kArrayMost = 4096;
constexpr size_t kBitsetBytes = 8192;
constexpr uint32_t kContainerValues = 0x10000;

// Reads the checked layout; every step stays inside the bytes.
class BitmapChecker {
 public:
  BitmapChecker(std::span<const uint8_t> bytes, uint32_t limit) : bytes_(bytes), limit_(limit) {}

  bool Check() {
    uint32_t cookie;
    if (!U32(&cookie)) return false;
    uint32_t count;
    const uint8_t* runFlags = nullptr;
    bool offsets = true;
    if ((cookie & 0xFFFF) == kCookieWithRuns) {
      count = (cookie >> 16) + 1;
      runFlags = Take((count + 7) / 8);
      if (!runFlags) return false;
      offsets = count >= kOffsetsFrom;
    } else if (cookie == kCookieNoRuns) {
      if (!U32(&count) || count > kContainerValues) return false;
    } else {
      return false;
    }
    const uint8_t* header = Take(size_t{count} * 4);
    if (!header || (offsets && !Take(size_t{count} * 4))) return false;
    int64_t previousKey = -1;
    for (uint32_t c = 0; c < count; ++c) {
      const uint32_t key = ReadU16(header + 4 * c);
      const uint32_t cardinality = ReadU16(header + 4 * c + 2) + 1u;
      if (static_cast<int64_t>(key) <= previousKey) return false;
      previousKey = key;
      const bool run = runFlags && (runFlags[c / 8] >> (c % 8)) & 1;
      uint32_t highest;
      if (run ? !Runs(cardinality, &highest) : !Values(cardinality, &highest)) return false;
      if ((uint64_t{key} << 16 | highest) >= limit_) return false;
    }
    return position_ == bytes_.size();
  }

 private:
  const uint8_t* Take(size_t n) {
    if (bytes_.size() - position_ < n) return nullptr;
    const uint8_t* at = bytes_.data() + position_;
    position_ += n;
    return at;
  }
  bool U32(uint32_t* value) {
    const uint8_t* at = Take(4);
    if (at) *value = ReadU32(at);
    return at != nullptr;
  }

  bool Runs(uint32_t cardinality, uint32_t* highest) {
    const uint8_t* countBytes = Take(2);
    if (!countBytes) return false;
    const uint32_t runs = ReadU16(countBytes);
    const uint8_t* pairs = Take(size_t{runs} * 4);
    if (!pairs || runs == 0) return false;
    int64_t previousEnd = -1;
    uint32_t total = 0;
    for (uint32_t r = 0; r < runs; ++r) {
      const uint32_t start = ReadU16(pairs + 4 * r);
      const uint32_t length = ReadU16(pairs + 4 * r + 2) + 1u;
      if (static_cast<int64_t>(start) <= previousEnd + 1 && r > 0) return false;  // sorted, apart
      if (start + length > kContainerValues) return false;
      previousEnd = start + length - 1;
      total += length;
    }
    *highest = static_cast<uint32_t>(previousEnd);
    return total == cardinality;
  }

  bool Values(uint32_t cardinality, uint32_t* highest) {
    if (cardinality > kArrayMost) {
      const uint8_t* bits = Take(kBitsetBytes);
      if (!bits) return false;
      uint32_t total = 0;
      *highest = 0;
      for (size_t i = 0; i < kBitsetBytes; i += 8) {
        const uint64_t word = ReadU64(bits + i);
        total += static_cast<uint32_t>(std::popcount(word));
        if (word) *highest = static_cast<uint32_t>(i * 8 + 63 - std::countl_zero(word));
      }
      return total == cardinality;
    }
    const uint8_t* values = Take(size_t{cardinality} * 2);
    if (!values) return false;
    for (uint32_t v = 1; v < cardinality; ++v) {
      if (ReadU16(values + 2 * v) <= ReadU16(values + 2 * (v - 1))) return false;
    }
    *highest = ReadU16(values + 2 * (cardinality - 1));
    return true;
  }

  std::span<const uint8_t> bytes_;
  uint32_t limit_;
  size_t position_ = 0;
};

}  // namespace

std::string SerializeBitmap(roaring_bitmap_t* bitmap) {
  roaring_bitmap_run_optimize(bitmap);
  std::string bytes(roaring_bitmap_portable_size_in_bytes(bitmap), '\0');
  bytes.resize(roaring_bitmap_portable_serialize(bitmap, bytes.data()));
  return bytes;
}

Bitmap ReadBitmap(std::span<const uint8_t> bytes, uint32_t limit) {
  if (!BitmapChecker(bytes, limit).Check()) return nullptr;
  return Bitmap(
      roaring_bitmap_portable_deserialize_safe(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace tavlex
