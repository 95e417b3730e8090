#include "engine/position_table.h"

#include <sys/stat.h>
#include <xxhash.h>

#include "engine/format/little_endian.h"

namespace tavlex {
namespace {

constexpr std::string_view kMagic = "TVXPOS1\n";
constexpr size_t kHeadBytes = kMagic.size() + 8 + 8 + 4 + 4 + 4;
constexpr size_t kChecksumBytes = 8;

void Append(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

std::optional<PositionStamp> StampOf(const std::filesystem::path& path, uint32_t indexLength,
                                     uint32_t entryCount) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return PositionStamp{static_cast<uint64_t>(status.st_size),
                       int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec, indexLength,
                       entryCount};
}

uint32_t PieceCount(uint32_t entryCount) { return (entryCount + kPositionStride - 1) / kPositionStride; }

size_t PositionTableBytes(uint32_t entryCount) {
  return kHeadBytes + 4 * size_t{PieceCount(entryCount)} + kChecksumBytes;
}

std::string FormatPositionTable(const PositionStamp& stamp, std::span<const uint32_t> positions) {
  std::string out(kMagic);
  Append(out, stamp.fileSize, 8);
  Append(out, static_cast<uint64_t>(stamp.modified), 8);
  Append(out, stamp.indexLength, 4);
  Append(out, stamp.entryCount, 4);
  Append(out, kPositionStride, 4);
  for (const uint32_t position : positions) Append(out, position, 4);
  Append(out, XXH3_64bits(out.data(), out.size()), 8);
  return out;
}

std::optional<std::vector<uint32_t>> ParsePositionTable(std::string_view bytes, const PositionStamp& stamp) {
  const size_t count = PieceCount(stamp.entryCount);
  if (bytes.size() != PositionTableBytes(stamp.entryCount) || !bytes.starts_with(kMagic)) return std::nullopt;
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t body = bytes.size() - kChecksumBytes;
  if (ReadU64(p + body) != XXH3_64bits(p, body)) return std::nullopt;
  const uint8_t* field = p + kMagic.size();
  const PositionStamp made{ReadU64(field), static_cast<int64_t>(ReadU64(field + 8)), ReadU32(field + 16),
                           ReadU32(field + 20)};
  if (made != stamp || ReadU32(field + 24) != kPositionStride) return std::nullopt;

  std::vector<uint32_t> positions(count);
  for (size_t i = 0; i < count; ++i) {
    positions[i] = ReadU32(p + kHeadBytes + 4 * i);
    const bool inOrder = i == 0 ? positions[i] == 0 : positions[i] > positions[i - 1];
    if (!inOrder || positions[i] >= stamp.indexLength) return std::nullopt;
  }
  return positions;
}

}  // namespace tavlex
