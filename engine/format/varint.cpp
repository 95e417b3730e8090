#include "engine/format/varint.h"

namespace tavlex {
namespace {

constexpr int kVarintBits = 7;
constexpr uint8_t kMore = 0x80;
constexpr int kLongestVarint = 10;  // 64 bits, seven at a time

}  // namespace

void PutVarint(std::string& out, uint64_t value) {
  while (value >= kMore) {
    out.push_back(static_cast<char>(value | kMore));
    value >>= kVarintBits;
  }
  out.push_back(static_cast<char>(value));
}

bool GetVarint(std::span<const uint8_t> bytes, size_t* position, uint64_t* value) {
  uint64_t result = 0;
  for (int i = 0; i < kLongestVarint && *position < bytes.size(); ++i) {
    const uint8_t byte = bytes[(*position)++];
    const uint64_t part = byte & (kMore - 1);
    if (i == kLongestVarint - 1 && part > 1) return false;  // more than 64 bits
    result |= part << (kVarintBits * i);
    if (!(byte & kMore)) {
      *value = result;
      return true;
    }
  }
  return false;
}

}  // namespace tavlex
