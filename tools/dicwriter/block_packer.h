// Packs encoded records into data blocks and lays out each block's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/dicwriter/dictionary_writer.h"
#include "tools/dicwriter/encoded_record.h"

namespace tavlex::dicwriter {

// PackedBlock: one data block, complete except for the number it will get.
struct PackedBlock {
  size_t firstRecord = 0;
  size_t recordCount = 0;
  int units = 1;
  bool fourByteLengths = false;
  std::vector<uint8_t> bytes;  // units × block size, zero padded
};

// Blocks in file order of the records. `records` only serves to name a record
// in an error.
std::vector<PackedBlock> PackBlocks(const std::vector<Record>& records,
                                    const std::vector<EncodedRecord>& encoded, const Options& options);

}  // namespace tavlex::dicwriter
