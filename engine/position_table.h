// The table of index positions kept in the cache folder beside the full-text
// indexes: where every kPositionStride-th record of a dictionary's index area
// begins, so that a look-up reads only the pieces of the area it compares
// with instead of the whole area. The first whole read of the area writes it.
//
// File:  "TVXPOS1\n" | u64 dictionary size | i64 modification time (ns) |
//        u32 index length | u32 index entries | u32 stride |
//        u32 position of every stride-th record | u64 XXH3 of all before
// (little-endian). The file is untrusted: ParsePositionTable takes it only
// when it was made from the dictionary as it is now, and a piece that does
// not hold its records is found when it is read (engine/index_area.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavlex {

inline constexpr uint32_t kPositionStride = 64;

// What a table must have been made from.
struct PositionStamp {
  uint64_t fileSize = 0;
  int64_t modified = 0;  // nanoseconds since the epoch
  uint32_t indexLength = 0;
  uint32_t entryCount = 0;
  bool operator==(const PositionStamp&) const = default;
};

// The size and modification time of the file at path, with the index's
// length and entry count; none when it cannot be told.
std::optional<PositionStamp> StampOf(const std::filesystem::path& path, uint32_t indexLength,
                                     uint32_t entryCount);

// The records of every piece but the last: kPositionStride. So a table of
// entryCount records holds this many positions.
uint32_t PieceCount(uint32_t entryCount);

// The size of the file of a table of entryCount records.
size_t PositionTableBytes(uint32_t entryCount);

std::string FormatPositionTable(const PositionStamp& stamp, std::span<const uint32_t> positions);

// The positions of a table made from a dictionary with this stamp: the
// first 0, each after the one before, all inside the index area. None for
// any other file.
std::optional<std::vector<uint32_t>> ParsePositionTable(std::string_view bytes, const PositionStamp& stamp);

}  // namespace tavlex
