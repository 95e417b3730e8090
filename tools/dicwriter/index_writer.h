// Builds the index area: one entry per data block naming its number and the
// first headword stored in it.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/dicwriter/block_packer.h"
#include "tools/dicwriter/block_placement.h"
#include "tools/dicwriter/dictionary_writer.h"
#include "tools/dicwriter/encoded_record.h"

namespace tavlex::dicwriter {

// The index area, zero padded to whole blocks.
std::vector<uint8_t> BuildIndex(const std::vector<PackedBlock>& blocks, const BlockPlacement& placement,
                                const std::vector<EncodedRecord>& encoded, const Options& options);

}  // namespace tavlex::dicwriter
