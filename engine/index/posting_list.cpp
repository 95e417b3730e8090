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

namespace {

// Reads the header of a posting of units below unitCount; false when malformed.
bool GetHeader(std::span<const uint8_t> bytes, uint32_t unitCount, size_t* position, uint64_t* count,
               uint64_t* kind) {
  uint64_t header;
  if (!GetVarint(bytes, position, &header)) return false;
  *count = header >> kKindBits;
  *kind = header & ((1u << kKindBits) - 1);
  if (*count > unitCount) return false;
  if (*kind == kBitmap) {
    // Exactly the bitmap's bytes, and no bit beyond the last unit.
    const uint32_t spare = (8 - unitCount % 8) % 8;
    return bytes.size() - *position == (uint64_t{unitCount} + 7) / 8 &&
           !(spare && bytes.back() >> (8 - spare));
  }
  return *kind == kList || *kind == kComplement;
}

// Calls take(unit) for each of the count units of a list or complement
// after its header, ascending; false when the bytes are not exactly them.
template <typename Take>
bool WalkList(std::span<const uint8_t> bytes, size_t position, uint64_t count, uint32_t unitCount,
              Take take) {
  uint64_t next = 0;
  for (uint64_t i = 0; i < count; ++i) {
    uint64_t gap;
    if (!GetVarint(bytes, &position, &gap) || gap >= unitCount || next + gap >= unitCount) return false;
    take(static_cast<uint32_t>(next + gap));
    next += gap + 1;
  }
  return position == bytes.size();
}

// Calls take(begin, end) for the runs of units [begin, end) that a
// complement of the ascending absent units leaves.
template <typename Take>
void ForEachPresentRun(const std::vector<uint32_t>& absent, uint32_t unitCount, Take take) {
  uint32_t begin = 0;
  for (const uint32_t unit : absent) {
    if (unit > begin) take(begin, unit);
    begin = unit + 1;
  }
  if (unitCount > begin) take(begin, unitCount);
}

}  // namespace

bool DecodePosting(std::span<const uint8_t> bytes, uint32_t unitCount, std::vector<uint32_t>* units) {
  units->clear();
  size_t position = 0;
  uint64_t count, kind;
  if (!GetHeader(bytes, unitCount, &position, &count, &kind)) return false;
  if (kind == kBitmap) {
    for (uint32_t u = 0; u < unitCount; ++u) {
      if (bytes[position + u / 8] >> (u % 8) & 1) units->push_back(u);
    }
    return units->size() == count;
  }
  std::vector<uint32_t> listed;
  listed.reserve(std::min<uint64_t>(count, bytes.size()));
  if (!WalkList(bytes, position, count, unitCount, [&](uint32_t unit) { listed.push_back(unit); }))
    return false;
  if (kind == kList) {
    *units = std::move(listed);
    return true;
  }
  ForEachPresentRun(listed, unitCount, [&](uint32_t begin, uint32_t end) {
    for (uint32_t u = begin; u < end; ++u) units->push_back(u);
  });
  return true;
}

bool AddPosting(std::span<const uint8_t> bytes, uint32_t unitCount, std::vector<uint64_t>& bits) {
  if (bits.size() < (uint64_t{unitCount} + 63) / 64) return false;
  size_t position = 0;
  uint64_t count, kind;
  if (!GetHeader(bytes, unitCount, &position, &count, &kind)) return false;
  const auto set = [&](uint32_t unit) { bits[unit / 64] |= uint64_t{1} << (unit % 64); };
  if (kind == kBitmap) {
    uint64_t setBits = 0;
    for (size_t i = position; i < bytes.size(); ++i) {
      bits[(i - position) / 8] |= uint64_t{bytes[i]} << (8 * ((i - position) % 8));
      setBits += static_cast<uint64_t>(__builtin_popcount(bytes[i]));
    }
    return setBits == count;
  }
  if (kind == kList) return WalkList(bytes, position, count, unitCount, set);
  std::vector<uint32_t> absent;
  absent.reserve(std::min<uint64_t>(count, bytes.size()));
  if (!WalkList(bytes, position, count, unitCount, [&](uint32_t unit) { absent.push_back(unit); }))
    return false;
  ForEachPresentRun(absent, unitCount, [&](uint32_t begin, uint32_t end) {
    for (uint32_t u = begin; u < end; ++u) set(u);
  });
  return true;
}

}  // namespace tavlex
