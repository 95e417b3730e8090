#include "tools/dicwriter/block_placement.h"

#include <numeric>
#include <string>
#include <utility>

#include "tools/dicwriter/noise_source.h"

namespace tavlex::dicwriter {
namespace {

constexpr uint64_t kMaxTwoByteBlockNumber = 0xFFFF;
constexpr uint64_t kMaxFourByteBlockNumber = 0xFFFFFFFF;

void Shuffle(std::vector<size_t>& order, uint32_t seed) {
  NoiseSource noise(seed);
  for (size_t i = order.size(); i > 1; --i) {
    std::swap(order[i - 1], order[noise.Below(i)]);
  }
}

}  // namespace

BlockPlacement PlaceBlocks(const std::vector<PackedBlock>& blocks, const Options& options) {
  BlockPlacement placement;
  placement.numbers.resize(blocks.size());
  placement.physicalOrder.resize(blocks.size());
  std::iota(placement.physicalOrder.begin(), placement.physicalOrder.end(), size_t{0});
  if (options.shuffleSeed) {
    Shuffle(placement.physicalOrder, *options.shuffleSeed);
  }

  const uint64_t maxNumber = options.fourByteBlockNumbers ? kMaxFourByteBlockNumber : kMaxTwoByteBlockNumber;
  // A block's number is its distance from the data area start in units, so a
  // block of several units uses up several numbers.
  uint64_t next = options.firstBlockNumber;
  for (size_t block : placement.physicalOrder) {
    if (next > maxNumber) {
      throw WriterError("block number " + std::to_string(next) + " does not fit in " +
                        (options.fourByteBlockNumbers ? "4" : "2") + " bytes");
    }
    placement.numbers[block] = static_cast<uint32_t>(next);
    next += blocks[block].units;
  }
  return placement;
}

}  // namespace tavlex::dicwriter
