#include "tools/dicwriter/header_writer.h"

#include <optional>

#include "tools/dicwriter/byte_io.h"
#include "tools/dicwriter/format_constants.h"
#include "tools/dicwriter/noise_source.h"

namespace tavlex::dicwriter {
namespace {

constexpr size_t kVersionOffset = 0x8C;  // low byte minor version, high byte version
constexpr size_t kBlockSizeOffset = 0x92;
constexpr size_t kIndexBlocksOffset = 0x94;
constexpr size_t kHeaderSizeOffset = 0x96;
constexpr size_t kAttributeLengthOffset = 0xA6;
constexpr uint8_t kAttributeLength = 1;
constexpr uint8_t kFourByteBlockNumbersFlag = 1;

// Version 4 keeps these fields at other offsets than versions 5 and 6.
struct VersionedOffsets {
  size_t charset;
  size_t extendedHeaderSize;
  size_t indexEntries;
  size_t blockNumberWidth;
};
constexpr VersionedOffsets kVersion4Offsets{0xAB, 0xB6, 0xBE, 0xC6};
constexpr VersionedOffsets kVersion5Offsets{0xA7, 0xB8, 0xC0, 0xB6};

// The extended header is never read, so even without a seed it is filled with
// something other than zeros.
constexpr uint64_t kExtendedHeaderPatternSeed = 0x5EED;

}  // namespace

std::vector<uint8_t> BuildHeaders(const Options& options, uint16_t indexBlocks, uint32_t indexEntries) {
  const size_t headerSize = static_cast<size_t>(options.headerSize);
  std::vector<uint8_t> out(headerSize + options.extendedHeaderSize);

  std::optional<NoiseSource> headerNoise;
  if (options.headerNoiseSeed) {
    headerNoise.emplace(*options.headerNoiseSeed);
    headerNoise->Fill(out, 0, headerSize);
  }
  NoiseSource extendedNoise = headerNoise.value_or(NoiseSource(kExtendedHeaderPatternSeed));
  extendedNoise.Fill(out, headerSize, out.size());

  const VersionedOffsets& at = options.version == kVersion4 ? kVersion4Offsets : kVersion5Offsets;
  PutLe(out, kVersionOffset, options.version << 8 | options.minorVersion, kU16);
  PutLe(out, kBlockSizeOffset, options.blockSize, kU16);
  PutLe(out, kIndexBlocksOffset, indexBlocks, kU16);
  PutLe(out, kHeaderSizeOffset, options.headerSize, kU16);
  PutLe(out, kAttributeLengthOffset, kAttributeLength, kU8);
  PutLe(out, at.charset, static_cast<uint8_t>(options.charset), kU8);
  PutLe(out, at.extendedHeaderSize, options.extendedHeaderSize, kU32);
  PutLe(out, at.indexEntries, indexEntries, kU32);
  PutLe(out, at.blockNumberWidth, options.fourByteBlockNumbers ? kFourByteBlockNumbersFlag : 0, kU8);
  return out;
}

}  // namespace tavlex::dicwriter
