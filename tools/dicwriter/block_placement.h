// Decides where the packed blocks lie in the data area and so which block
// numbers the index names them by.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/dicwriter/block_packer.h"
#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::dicwriter {

// BlockPlacement: the data area order of the blocks and the numbers it gives them.
struct BlockPlacement {
  std::vector<uint32_t> numbers;      // per block, in index order
  std::vector<size_t> physicalOrder;  // block indices in data area order
};

BlockPlacement PlaceBlocks(const std::vector<PackedBlock>& blocks, const Options& options);

}  // namespace tavlex::dicwriter
