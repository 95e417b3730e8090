#include "engine/index/index_format.h"

#include <sys/stat.h>
#include <xxhash.h>

#include <algorithm>
#include <vector>

#include "base/file.h"
#include "engine/dictionary.h"

namespace tavlex {
namespace {

constexpr int32_t kUnitBytes = 1024;

}  // namespace

uint32_t BlocksPerUnit(int32_t blockSize) {
  return static_cast<uint32_t>(
      std::clamp<int64_t>((kUnitBytes + blockSize - 1) / std::max(blockSize, 1), 1, kMostBlocksPerUnit));
}

std::optional<IndexStamp> StampOf(const Dictionary& dictionary) {
  const std::filesystem::path path(dictionary.path());
  const std::optional<File> file = File::Open(path);
  if (!file) return std::nullopt;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  const DictionaryLayout& layout = dictionary.layout();
  // The header and the index area: what the dictionary was opened with.
  std::vector<uint8_t> bytes(kHeaderBytes + static_cast<size_t>(layout.indexLength));
  const size_t header = file->ReadAt(0, bytes.data(), kHeaderBytes);
  const size_t index = file->ReadAt(static_cast<uint64_t>(layout.indexOffset), bytes.data() + kHeaderBytes,
                                    static_cast<size_t>(layout.indexLength));
  if (header != kHeaderBytes || index != static_cast<size_t>(layout.indexLength)) return std::nullopt;
  IndexStamp stamp;
  stamp.path = dictionary.path();
  stamp.size = file->Size();
  stamp.modified = int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
  stamp.checksum = XXH3_64bits(bytes.data(), bytes.size());
  stamp.blockCount = static_cast<uint32_t>(dictionary.indexEntryCount());
  return stamp;
}

uint32_t PageChecksum(const void* data, size_t size) {
  return static_cast<uint32_t>(XXH3_64bits(data, size));
}

uint64_t HeaderChecksum(const void* header, const void* rest, size_t restSize) {
  XXH3_state_t* state = XXH3_createState();
  XXH3_64bits_reset(state);
  XXH3_64bits_update(state, header, kCheckedHeader);
  XXH3_64bits_update(state, rest, restSize);
  const uint64_t checksum = XXH3_64bits_digest(state);
  XXH3_freeState(state);
  return checksum;
}

}  // namespace tavlex
