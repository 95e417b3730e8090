// A whole dictionary file: open it, then decode every block its index names,
// in full and headwords only, and look a few words up in the index, as
// the searches and the look-up of a selected text do.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "engine/dictionary.h"
#include "fuzz/memory_file.h"

namespace {

// Enough blocks to reach every decoding path, few enough to keep runs fast.
constexpr size_t kMostBlocks = 512;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tavlex::fuzz::MemoryFile file(data, size);
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
  for (const char16_t* word : {u"", u"a", u"zz", u"\u3042", u"\uFFFF"}) {
    dictionary->FindIndexEntry(word);
    const tavlex::Dictionary::BlockSpan span = dictionary->PrefixBlocks(word, dictionary->AllBlocks());
    if (dictionary->indexEntryCount() > 0 &&
        (span.first > span.last || span.last >= dictionary->indexEntryCount())) {
      __builtin_trap();
    }
  }
  return 0;
}
