// The units (runs of consecutive blocks) whose text holds one gram, or the
// entries that hold one word, in the smallest of three encodings (varints:
// engine/format/varint.h).
//
//   varint count << 2 | kind, then
//   kind 0, list:       count varints: the first unit, then each gap minus one
//   kind 1, complement: the same, for the units that do NOT hold the gram
//   kind 2, bitmap:     ceil(units / 8) bytes, unit u at bit u % 8 of byte u / 8;
//                       count is the number of bits set
// A gram in almost every unit (the words every entry repeats) costs a few
// bytes as a complement; one in a few units, a byte or two a unit.
//
// The bytes come from an index file, which may be damaged or hostile:
// decoding checks everything and never reads outside them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tavlex {

// units: ascending, each below unitCount.
std::string EncodePosting(const std::vector<uint32_t>& units, uint32_t unitCount);

// False unless bytes are exactly one well-formed posting of ascending units
// below unitCount; units then holds them.
bool DecodePosting(std::span<const uint8_t> bytes, uint32_t unitCount, std::vector<uint32_t>* units);

// Sets in bits (unit u at bit u % 64 of bits[u / 64]; at least unitCount
// bits) the units of bytes, one well-formed posting of units below
// unitCount; false, bits then undefined, when bytes are anything else.
bool AddPosting(std::span<const uint8_t> bytes, uint32_t unitCount, std::vector<uint64_t>& bits);

}  // namespace tavlex
