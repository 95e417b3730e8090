// Little-endian integer output, the byte order of every field in the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavlex::dicwriter {

inline constexpr int kU8 = 1;
inline constexpr int kU16 = 2;
inline constexpr int kU32 = 4;

inline void PutLe(std::vector<uint8_t>& out, size_t offset, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) {
    out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

inline void AppendLe(std::vector<uint8_t>& out, uint64_t value, int width) {
  out.resize(out.size() + width);
  PutLe(out, out.size() - width, value, width);
}

inline void AppendBytes(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace tavlex::dicwriter
