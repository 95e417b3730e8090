#include "tools/dicwriter/index_writer.h"

#include <string>

#include "tools/dicwriter/byte_io.h"
#include "tools/dicwriter/format_constants.h"

namespace tavlex::dicwriter {
namespace {

constexpr size_t kMaxIndexBlocks = kMaxInt16Field;

}  // namespace

std::vector<uint8_t> BuildIndex(const std::vector<PackedBlock>& blocks, const BlockPlacement& placement,
                                const std::vector<EncodedRecord>& encoded, const Options& options) {
  const int numberWidth = options.fourByteBlockNumbers ? kU32 : kU16;
  std::vector<uint8_t> index;
  for (size_t block = 0; block < blocks.size(); ++block) {
    AppendLe(index, placement.numbers[block], numberWidth);
    AppendBytes(index, encoded[blocks[block].firstRecord].headword);
    index.push_back(kTextEnd);
  }
  const size_t blockSize = options.blockSize;
  const size_t indexBlocks = (index.size() + blockSize - 1) / blockSize;
  if (indexBlocks > kMaxIndexBlocks) {
    throw WriterError("the index needs " + std::to_string(indexBlocks) + " blocks, more than " +
                      std::to_string(kMaxIndexBlocks));
  }
  index.resize(indexBlocks * blockSize);
  return index;
}

}  // namespace tavlex::dicwriter
