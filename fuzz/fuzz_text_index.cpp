// An index file, opened and searched as a search would. The fuzzer cannot
// compute checksums, so the header checksum and each page's checksum are
// set right before the file is read: what is fuzzed is everything behind
// them, down to the postings. The stamp expected is the one the file
// records, so that a file passes as built from its dictionary.
#include <xxhash.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "engine/format/little_endian.h"
#include "engine/index/text_index.h"

namespace {

// The layout engine/index/text_index.h describes.
constexpr size_t kHeaderSize = 64;
constexpr size_t kCheckedHeader = 56;
constexpr size_t kPageRow = 24;
constexpr size_t kMostQueried = 64;
// In a real stamp the block count is a dictionary's index entries, each held
// in its file (and in its memory: four bytes each for the headword table);
// a search may hold one number per block. A count beyond this stands for no
// dictionary the fuzzer has, and only measures the allocator.
constexpr uint32_t kMostBlocks = 1 << 20;

void Put(std::string& bytes, size_t at, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

const uint8_t* At(const std::string& bytes, size_t at) {
  return reinterpret_cast<const uint8_t*>(bytes.data()) + at;
}

// Sets the checksums right; returns the first gram of each page that fits.
std::vector<tavlex::Gram> RepairChecksums(std::string& bytes) {
  std::vector<tavlex::Gram> grams;
  const uint64_t pathLength = tavlex::ReadU32(At(bytes, 44));
  const uint64_t pageCount = tavlex::ReadU32(At(bytes, 52));
  if (pathLength > bytes.size() - kHeaderSize) return grams;
  const size_t tableStart = kHeaderSize + pathLength;
  const size_t rows = std::min<uint64_t>(pageCount, (bytes.size() - tableStart) / kPageRow);
  for (size_t r = 0; r < rows; ++r) {
    const size_t row = tableStart + r * kPageRow;
    grams.push_back(tavlex::ReadU64(At(bytes, row)));
    const uint64_t offset = tavlex::ReadU64(At(bytes, row + 8));
    const uint32_t length = tavlex::ReadU32(At(bytes, row + 16));
    if (offset <= bytes.size() && bytes.size() - offset >= length) {
      Put(bytes, row + 20, static_cast<uint32_t>(XXH3_64bits(bytes.data() + offset, length)), 4);
    }
  }
  if (rows == pageCount) {
    XXH3_state_t* state = XXH3_createState();
    XXH3_64bits_reset(state);
    XXH3_64bits_update(state, bytes.data(), kCheckedHeader);
    XXH3_64bits_update(state, bytes.data() + kHeaderSize, pathLength + rows * kPageRow);
    Put(bytes, kCheckedHeader, XXH3_64bits_digest(state), 8);
    XXH3_freeState(state);
  }
  return grams;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeaderSize) return 0;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<tavlex::Gram> grams = RepairChecksums(bytes);
  tavlex::IndexStamp stamp;
  const uint32_t pathLength = tavlex::ReadU32(At(bytes, 44));
  if (pathLength <= bytes.size() - kHeaderSize) {
    stamp.path = tavlex::Utf8ToUtf16(std::string_view(bytes.data() + kHeaderSize, pathLength));
  }
  stamp.blockCount = tavlex::ReadU32(At(bytes, 12));
  if (stamp.blockCount > kMostBlocks) return 0;
  stamp.size = tavlex::ReadU64(At(bytes, 16));
  stamp.modified = static_cast<int64_t>(tavlex::ReadU64(At(bytes, 24)));
  stamp.checksum = tavlex::ReadU64(At(bytes, 32));
  const auto index = tavlex::TextIndex::FromBytes(bytes, stamp);
  if (!index) return 0;
  // Each page's first gram, the grams just after it, and some together.
  for (size_t i = 0; i < grams.size() && i < kMostQueried; ++i) {
    index->Candidates(std::vector<tavlex::Gram>{grams[i]});
    index->Counts(grams[i] + 1);
    index->Candidates(std::vector<tavlex::Gram>{grams[i] + 1, grams[i] + 2});
    if (i + 1 < grams.size()) index->Candidates(std::vector<tavlex::Gram>{grams[i], grams[i + 1]});
  }
  index->Candidates(std::vector<tavlex::Gram>{});
  return 0;
}
