// One data block under a header of random layout. The first input byte picks
// the layout (character set, version, block size, 2- or 4-byte block
// numbers); the rest is block 0, block word included, whose 0x8000 bit picks
// 2- or 4-byte record lengths. The block is loaded both ways, and searched.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/dictionary.h"
#include "fuzz/memory_file.h"
#include "tools/dicwriter/dictionary_writer.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Everything before the data area of a one-record dictionary of that layout.
// The writer is slow next to a fuzz run, so each layout is written once.
const Bytes& FileHeadFor(uint8_t layout) {
  static std::map<uint8_t, Bytes> heads;
  const auto known = heads.find(layout);
  if (known != heads.end()) return known->second;

  tavlex::dicwriter::Options options;
  options.charset = layout & 1 ? tavlex::dicwriter::Charset::kBocu1 : tavlex::dicwriter::Charset::kAnsi;
  options.fourByteBlockNumbers = layout & 2;
  options.version = 4 + (layout >> 2) % 3;
  options.blockSize = options.version == 4 ? 256 : 256 << ((layout >> 4) % 3);
  Bytes file = tavlex::dicwriter::WriteDictionary({{u"m", u"", 0, u"", u"", u""}}, options).bytes;

  const tavlex::fuzz::MemoryFile whole(file.data(), file.size());
  const auto dictionary = tavlex::Dictionary::Open(whole.path(), nullptr);
  file.resize(dictionary ? static_cast<size_t>(dictionary->layout().dataOffset) : 0);
  return heads.emplace(layout, std::move(file)).first->second;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  Bytes file = FileHeadFor(data[0] & 0x3F);
  if (file.empty()) __builtin_trap();  // the writer's own file must open
  file.insert(file.end(), data + 1, data + size);

  const tavlex::fuzz::MemoryFile memory(file.data(), file.size());
  const auto dictionary = tavlex::Dictionary::Open(memory.path(), nullptr);
  if (!dictionary) return 0;
  std::vector<tavlex::Entry> entries;
  dictionary->LoadBlock(0, false, entries);
  dictionary->LoadBlock(0, true, entries);
  dictionary->SetCacheSize(1);
  for (const char16_t* word : {u"m", u"a", u"mm", u"\u3042"}) {
    dictionary->Search(word);
    dictionary->SearchInflected(word);
  }
  return 0;
}
