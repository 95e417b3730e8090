#include "tools/dicwriter/options_check.h"

#include <cstdint>
#include <string>

#include "tools/dicwriter/format_constants.h"

namespace tavlex::dicwriter {
namespace {

constexpr int kOldestVersion = kVersion4;
constexpr int kNewestVersion = 6;

void Require(bool condition, const std::string& message) {
  if (!condition) {
    throw WriterError(message);
  }
}

}  // namespace

void ValidateOptions(const Options& options) {
  Require(options.version >= kOldestVersion && options.version <= kNewestVersion,
          "version " + std::to_string(options.version) + " is not 4, 5 or 6");
  Require(options.charset == Charset::kAnsi || options.charset == Charset::kBocu1, "unknown character set");
  Require(options.recordLengths >= RecordLengthWidth::kTwo &&
              options.recordLengths <= RecordLengthWidth::kAlternate,
          "unknown record length width");
  Require(options.blockSize > 0 && options.blockSize <= kMaxInt16Field,
          "block size " + std::to_string(options.blockSize) + " is out of range");
  Require(options.headerSize >= kFixedHeaderSize, "header size " + std::to_string(options.headerSize) +
                                                      " is below " + std::to_string(kFixedHeaderSize));
  if (options.version == kVersion4) {
    Require(options.blockSize == kVersion4BlockSize, "version 4 needs a block size of 256");
    Require(options.headerSize == kFixedHeaderSize, "version 4 needs a header size of 256");
  }
  Require(options.unitsPerBlock > 0 && static_cast<uint64_t>(options.unitsPerBlock) <= kMaxBlockUnits,
          "units per block " + std::to_string(options.unitsPerBlock) + " is out of range");
  Require(options.maxRecordsPerBlock >= 0, "the records per block limit is negative");
}

}  // namespace tavlex::dicwriter
