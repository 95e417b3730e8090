// An index file, opened and searched as a search would. The fuzzer cannot
// compute checksums, so the header checksum, each page's and each word
// posting's checksum are set right before the file is read: what is fuzzed
// is everything behind them, down to the postings. The stamp expected is the one the file
// records, so that a file passes as built from its dictionary.
#include <xxhash.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "engine/format/little_endian.h"
#include "engine/format/varint.h"
#include "engine/index/text_index.h"

namespace {

using tavlex::kCheckedHeader;
using tavlex::kPageRow;
using tavlex::kPostingChecksumSize;
using tavlex::kWordPageRow;
constexpr size_t kHeaderSize = tavlex::kIndexHeaderSize;
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

uint32_t Checksum(const std::string& bytes, uint64_t offset, uint64_t length) {
  return static_cast<uint32_t>(XXH3_64bits(bytes.data() + offset, length));
}

// Sets the checksums of the word postings of the word page at offset right,
// as far as the page can be walked; returns its first words.
std::vector<std::string> RepairPostings(std::string& bytes, uint64_t offset, uint32_t length,
                                        uint64_t posting) {
  std::vector<std::string> words;
  const std::span<const uint8_t> page(At(bytes, offset), length);
  size_t position = 0;
  uint64_t wordLength, postingLength;
  while (position < page.size() && tavlex::GetVarint(page, &position, &wordLength) &&
         wordLength <= page.size() - position) {
    if (words.size() < 2)
      words.emplace_back(reinterpret_cast<const char*>(page.data() + position), wordLength);
    position += wordLength;
    if (!tavlex::GetVarint(page, &position, &postingLength) || posting > bytes.size() ||
        bytes.size() - posting < kPostingChecksumSize ||
        bytes.size() - posting - kPostingChecksumSize < postingLength)
      break;
    Put(bytes, posting, Checksum(bytes, posting + kPostingChecksumSize, postingLength), 4);
    posting += kPostingChecksumSize + postingLength;
  }
  return words;
}

struct Repaired {
  std::vector<tavlex::Gram> grams;  // the first gram of each page that fits
  std::vector<std::string> words;   // some words of the word pages
};

// Sets the checksums right.
Repaired RepairChecksums(std::string& bytes) {
  Repaired repaired;
  const uint64_t pathLength = tavlex::ReadU32(At(bytes, 44));
  const uint64_t pageCount = tavlex::ReadU32(At(bytes, 52));
  const uint64_t wordPageCount = tavlex::ReadU32(At(bytes, 64));
  if (pathLength > bytes.size() - kHeaderSize) return repaired;
  const size_t tableStart = kHeaderSize + pathLength;
  const size_t rows = std::min<uint64_t>(pageCount, (bytes.size() - tableStart) / kPageRow);
  for (size_t r = 0; r < rows; ++r) {
    const size_t row = tableStart + r * kPageRow;
    repaired.grams.push_back(tavlex::ReadU64(At(bytes, row)));
    const uint64_t offset = tavlex::ReadU64(At(bytes, row + 8));
    const uint32_t length = tavlex::ReadU32(At(bytes, row + 16));
    if (offset <= bytes.size() && bytes.size() - offset >= length)
      Put(bytes, row + 20, Checksum(bytes, offset, length), 4);
  }
  if (rows != pageCount) return repaired;
  const size_t wordTableStart = tableStart + rows * kPageRow;
  const size_t wordRows = std::min<uint64_t>(wordPageCount, (bytes.size() - wordTableStart) / kWordPageRow);
  for (size_t r = 0; r < wordRows; ++r) {
    const size_t row = wordTableStart + r * kWordPageRow;
    const uint64_t offset = tavlex::ReadU64(At(bytes, row));
    const uint32_t length = tavlex::ReadU32(At(bytes, row + 8));
    if (offset > bytes.size() || bytes.size() - offset < length) continue;
    // The postings first: they may lie inside a page, whose checksum then covers them as they end up.
    for (std::string& word : RepairPostings(bytes, offset, length, tavlex::ReadU64(At(bytes, row + 16))))
      repaired.words.push_back(std::move(word));
    Put(bytes, row + 12, Checksum(bytes, offset, length), 4);
  }
  if (wordRows == wordPageCount) {
    XXH3_state_t* state = XXH3_createState();
    XXH3_64bits_reset(state);
    XXH3_64bits_update(state, bytes.data(), kCheckedHeader);
    XXH3_64bits_update(state, bytes.data() + kHeaderSize,
                       pathLength + rows * kPageRow + wordRows * kWordPageRow);
    Put(bytes, kCheckedHeader, XXH3_64bits_digest(state), 8);
    XXH3_freeState(state);
  }
  return repaired;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeaderSize) return 0;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  const Repaired repaired = RepairChecksums(bytes);
  const std::vector<tavlex::Gram>& grams = repaired.grams;
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
  // Words of the pages, a piece of each, and all of them together.
  std::vector<std::string> all;
  for (size_t i = 0; i < repaired.words.size() && i < kMostQueried; ++i) {
    const std::string& word = repaired.words[i];
    index->CountHoldingWords(std::vector<std::string>{word});
    index->CountHoldingWords(std::vector<std::string>{word.substr(0, 1)});
    all.push_back(word);
  }
  index->CountHoldingWords(all);
  return 0;
}
