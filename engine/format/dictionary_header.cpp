#include "engine/format/dictionary_header.h"

#include "engine/format/little_endian.h"

namespace tavlex {
namespace {

constexpr size_t kVersionHigh = 0x8D;
constexpr size_t kBlockSize = 0x92;
constexpr size_t kIndexBlocks = 0x94;
constexpr size_t kHeaderSize = 0x96;
constexpr size_t kAttributeLength = 0xA6;

// Offsets of the fields whose place depends on the version.
struct VersionFields {
  size_t charset;
  size_t extendedHeaderSize;
  size_t indexEntryCount;
  size_t blockNumberWidthFlag;
};
constexpr VersionFields kVersion4Fields{0xAB, 0xB6, 0xBE, 0xC6};
constexpr VersionFields kVersion56Fields{0xA7, 0xB8, 0xC0, 0xB6};

constexpr int32_t kVersion4Size = 256;  // block size and header size of version 4

}  // namespace

std::optional<DictionaryLayout> ReadLayout(const std::array<uint8_t, kHeaderBytes>& header,
                                           uint64_t fileSize) {
  const uint8_t* h = header.data();
  const int version = h[kVersionHigh];
  const int32_t blockSize = ReadI16(h + kBlockSize);
  const int32_t indexBlocks = ReadI16(h + kIndexBlocks);
  const int32_t headerSize = ReadI16(h + kHeaderSize);
  if (h[kAttributeLength] != 1) return std::nullopt;

  VersionFields fields;
  if (version == 4) {
    if (blockSize != kVersion4Size || headerSize != kVersion4Size) return std::nullopt;
    fields = kVersion4Fields;
  } else if (version == 5 || version == 6) {
    fields = kVersion56Fields;
  } else {
    return std::nullopt;
  }
  if (blockSize <= 0 || indexBlocks < 0 || headerSize < 0) return std::nullopt;

  DictionaryLayout layout;
  const uint8_t charset = h[fields.charset];
  if (charset != static_cast<uint8_t>(Charset::kAnsi) && charset != static_cast<uint8_t>(Charset::kBocu1)) {
    return std::nullopt;
  }
  layout.charset = static_cast<Charset>(charset);
  layout.blockSize = blockSize;
  layout.blockNumberWidth = h[fields.blockNumberWidthFlag] == 1 ? 4 : 2;
  layout.indexOffset = int64_t{headerSize} + ReadU32(h + fields.extendedHeaderSize);
  layout.indexLength = indexBlocks * blockSize;  // at most 32767 * 32767: fits
  layout.dataOffset = layout.indexOffset + layout.indexLength;
  if (static_cast<uint64_t>(layout.dataOffset) > fileSize) return std::nullopt;

  // Each entry takes at least its block number and a zero byte.
  const uint32_t entryCount = ReadU32(h + fields.indexEntryCount);
  if (entryCount > static_cast<uint32_t>(layout.indexLength / (layout.blockNumberWidth + 1))) {
    return std::nullopt;
  }
  layout.indexEntryCount = static_cast<int32_t>(entryCount);
  return layout;
}

}  // namespace tavlex
