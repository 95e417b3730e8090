// The 256-byte header of a PDIC dictionary file and the layout derived from it.
//
// File:   header | extended header | index area | data area
// Header fields read (little-endian; the version decides where some lie):
//   0x8C u16  version (only the high byte, 4, 5 or 6, counts)
//   0x92 i16  block size          0x94 i16  index blocks
//   0x96 i16  header size         0xA6 u8   attribute length (must be 1)
//                                 versions 5/6   version 4
//   character set (0 / 0x20)         0xA7          0xAB
//   extended header size (u32)       0xB8          0xB6
//   index entry count (u32)          0xC0          0xBE
//   block-number width flag (u8)     0xB6          0xC6   (1: 4-byte numbers)
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace tavlex {

inline constexpr size_t kHeaderBytes = 256;

enum class Charset : uint8_t { kAnsi = 0x00, kBocu1 = 0x20 };

// Where the parts of a dictionary file lie, checked against the file's size.
struct DictionaryLayout {
  Charset charset = Charset::kAnsi;
  int32_t blockSize = 0;
  int32_t blockNumberWidth = 2;  // bytes before each index headword
  int64_t indexOffset = 0;
  int32_t indexLength = 0;
  int32_t indexEntryCount = 0;
  int64_t dataOffset = 0;
};

// Checks the header; none when the file must be refused. Besides the format's
// own rules it refuses what no sound file has: a block size of 0 or below, a
// negative index size or header size, an index area that does not lie inside
// the file, and more index entries than the index area could hold.
std::optional<DictionaryLayout> ReadLayout(const std::array<uint8_t, kHeaderBytes>& header,
                                           uint64_t fileSize);

}  // namespace tavlex
