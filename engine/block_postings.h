// The blocks that hold one gram, as a compressed bitmap of block positions
// (index entry numbers), stored in the portable Roaring format.
//
// Portable Roaring (little-endian):
//   u32 cookie: 12346, then u32 container count n; or 12347 | (n - 1) << 16,
//               then a bitmap of ceil(n / 8) bytes marking run containers
//   n x (u16 high 16 bits, u16 cardinality - 1)
//   n x u32 container offsets (with cookie 12346, or when n >= 4)
//   containers: run: u16 runs, runs x (u16 start, u16 length - 1);
//               array (cardinality <= 4096): u16 values, ascending;
//               bitset: 8192 bytes
// The bytes come from an index file, which may be damaged or hostile: they
// are checked whole before the library sees them.
#pragma once

#include <roaring/roaring.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tavlex {

struct BitmapFree {
  void operator()(roaring_bitmap_t* bitmap) const { roaring_bitmap_free(bitmap); }
};
using Bitmap = std::unique_ptr<roaring_bitmap_t, BitmapFree>;

inline Bitmap NewBitmap() { return Bitmap(roaring_bitmap_create()); }

// The bitmap in portable form, compressed as far as runs allow.
std::string SerializeBitmap(roaring_bitmap_t* bitmap);

// The bitmap that bytes hold; none unless they are exactly one well-formed
// bitmap whose values are all below limit.
Bitmap ReadBitmap(std::span<const uint8_t> bytes, uint32_t limit);

}  // namespace tavlex
