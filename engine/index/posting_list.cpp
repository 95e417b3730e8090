#include "engine/index/posting_list.h"

#include "engine/format/varint.h"

namespace tavlex {
namespace {

enum Kind : uint64_t { kList = 0, kComplement = 1, kBitmap = 2 };
constexpr int kKindBits = 2;

void PutList(std::string& out, const std::vector<uint32_t>& units, Kind kind) {
  PutVarint(out, uint64_t{units.size()} << kKindBits | kind);
  uint64_t next = 0;  // the least the next unit can be
  for (const uint32_t unit : units) {
    PutVarint(out, unit - next);
    next = uint64_t{unit} + 1;
  }
}

}  // namespace

std::string EncodePosting(const std::vector<uint32_t>& units, uint32_t unitCount) {
  std::string best;
  PutList(best, units, kList);
  // A complement costs at least a byte an absent unit: it can only win when
  // fewer than an eighth of the units are absent.
  if ((uint64_t{unitCount} - units.size()) * 8 < unitCount) {
    std::vector<uint32_t> absent;
    for (uint32_t u = 0, i = 0; u < unitCount; ++u) {
      if (i < units.size() && units[i] == u) {
        ++i;
      } else {
        absent.push_back(u);
      }
    }
    std::string complement;
    PutList(complement, absent, kComplement);
    if (complement.size() < best.size()) best = std::move(complement);
  }
  if ((uint64_t{unitCount} + 7) / 8 < best.size()) {
    std::string bitmap;
    PutVarint(bitmap, uint64_t{units.size()} << kKindBits | kBitmap);
    const size_t start = bitmap.size();
    bitmap.resize(start + (unitCount + 7) / 8);
    for (const uint32_t unit : units) {
      bitmap[start + unit / 8] = static_cast<char>(bitmap[start + unit / 8] | 1 << unit % 8);
    }
    if (bitmap.size() < best.size()) best = std::move(bitmap);
  }
  return best;
}

bool DecodePosting(std::span<const uint8_t> bytes, uint32_t unitCount, std::vector<uint32_t>* units) {
  units->clear();
  size_t position = 0;
  uint64_t header;
  if (!GetVarint(bytes, &position, &header)) return false;
  const uint64_t count = header >> kKindBits;
  const uint64_t kind = header & ((1u << kKindBits) - 1);
  if (count > unitCount) return false;
  if (kind == kBitmap) {
    if (bytes.size() - position != (uint64_t{unitCount} + 7) / 8) return false;
    for (uint32_t u = 0; u < unitCount; ++u) {
      if (bytes[position + u / 8] >> (u % 8) & 1) units->push_back(u);
    }
    // No bit beyond the last unit, and the count told right.
    const uint32_t spare = (8 - unitCount % 8) % 8;
    if (spare && bytes.back() >> (8 - spare)) return false;
    return units->size() == count;
  }
  if (kind != kList && kind != kComplement) return false;
  std::vector<uint32_t> listed;
  listed.reserve(std::min<uint64_t>(count, bytes.size()));
  uint64_t next = 0;
  for (uint64_t i = 0; i < count; ++i) {
    uint64_t gap;
    if (!GetVarint(bytes, &position, &gap) || gap >= unitCount || next + gap >= unitCount) return false;
    listed.push_back(static_cast<uint32_t>(next + gap));
    next += gap + 1;
  }
  if (position != bytes.size()) return false;
  if (kind == kList) {
    *units = std::move(listed);
    return true;
  }
  for (uint32_t u = 0, i = 0; u < unitCount; ++u) {
    if (i < listed.size() && listed[i] == u) {
      ++i;
    } else {
      units->push_back(u);
    }
  }
  return true;
}

}  // namespace tavlex
