// Little-endian integers of the dictionary and index file formats. Callers check bounds.
#pragma once

#include <cstdint>
#include <string>

namespace tavlex {

inline uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline int16_t ReadI16(const uint8_t* p) { return static_cast<int16_t>(ReadU16(p)); }

inline uint32_t ReadU32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

inline uint64_t ReadU64(const uint8_t* p) { return uint64_t{ReadU32(p)} | uint64_t{ReadU32(p + 4)} << 32; }

// A 2- or 4-byte unsigned field.
inline uint32_t ReadUnsigned(const uint8_t* p, int width) { return width == 4 ? ReadU32(p) : ReadU16(p); }

inline void WriteU64(char* p, uint64_t value) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(value >> (8 * i));
}

inline void AppendU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}
inline void AppendU64(std::string& out, uint64_t value) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace tavlex
