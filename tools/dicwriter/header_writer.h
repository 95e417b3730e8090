// Builds the file header and the extended header that follows it.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::dicwriter {

// headerSize bytes of header followed by extendedHeaderSize bytes of noise.
std::vector<uint8_t> BuildHeaders(const Options& options, uint16_t indexBlocks, uint32_t indexEntries);

}  // namespace tavlex::dicwriter
