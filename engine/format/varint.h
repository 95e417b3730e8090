// Variable-length integers as the index files store them: LEB128, seven bits
// a byte, low bits first, the high bit set on every byte but the last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tavlex {

// Appends value as a varint.
void PutVarint(std::string& out, uint64_t value);

// Reads a varint at *position, moving past it; false when the bytes end
// first or it runs past 64 bits.
bool GetVarint(std::span<const uint8_t> bytes, size_t* position, uint64_t* value);

}  // namespace tavlex
