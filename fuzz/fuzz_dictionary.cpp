// A whole dictionary file: open it, then decode every block its index names,
// in full and headwords only, and look a few words up in the index.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "engine/dictionary.h"

namespace {

// The file lives in memory; the engine opens it by path like any other.
class MemoryFile {
 public:
  MemoryFile(const uint8_t* data, size_t size) : descriptor_(memfd_create("dictionary", 0)) {
    for (size_t done = 0; done < size;) {
      const ssize_t n = write(descriptor_, data + done, size - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
  }
  ~MemoryFile() { close(descriptor_); }
  std::u16string path() const {
    const std::string p = "/proc/self/fd/" + std::to_string(descriptor_);
    return std::u16string(p.begin(), p.end());
  }

 private:
  int descriptor_;
};

// Enough blocks to reach every decoding path, few enough to keep runs fast.
constexpr size_t kMostBlocks = 512;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MemoryFile file(data, size);
  const auto dictionary = tavlex::Dictionary::Open(file.path(), nullptr);
  if (!dictionary) return 0;
  std::set<uint32_t> blocks;
  for (int32_t i = 0; i < dictionary->indexEntryCount() && blocks.size() < kMostBlocks; ++i) {
    blocks.insert(dictionary->BlockOfIndexEntry(i));
  }
  for (const uint32_t block : blocks) {
    std::vector<tavlex::Entry> entries;
    dictionary->LoadBlock(block, false, entries);
    dictionary->LoadBlock(block, true, entries);
  }
  for (const char16_t* word : {u"", u"a", u"zz", u"\u3042", u"\uFFFF"}) dictionary->FindIndexEntry(word);
  return 0;
}
