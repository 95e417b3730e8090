// Values the file format fixes that more than one part of the writer needs.
#pragma once

#include <cstdint>

namespace tavlex::dicwriter {

inline constexpr int kVersion4 = 4;             // the version with its own header offsets and sizes
inline constexpr int kVersion4BlockSize = 256;  // the only block size version 4 has
inline constexpr int kFixedHeaderSize = 256;    // the header fields span this many bytes
// Block size, header size and index block count are stored as int16.
inline constexpr int kMaxInt16Field = INT16_MAX;
// The block word keeps 15 bits for a block's length in units.
inline constexpr uint64_t kMaxBlockUnits = 0x7FFF;
// Ends every stored headword and text.
inline constexpr uint8_t kTextEnd = 0x00;

}  // namespace tavlex::dicwriter
