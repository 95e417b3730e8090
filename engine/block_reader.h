// BlockReader: reads many data blocks of one dictionary through one handle
// on its file, opened when the reader is made and closed when it goes. The
// searches and the index builds that read block after block hold one for
// their run; a single read takes Dictionary::LoadBlock, which makes one.
//
// A reader only reads the file, so that readers of one dictionary may work on
// several threads at once; one reader belongs to one thread.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/file.h"
#include "engine/block_keys.h"
#include "engine/entry.h"

namespace tavlex {

class Dictionary;

class BlockReader {
 public:
  // The dictionary must outlive the reader.
  explicit BlockReader(const Dictionary& dictionary);

  // Decodes data block `number` into entries (headwordsOnly: the headwords
  // alone). False when the file could not be opened or holds no such block;
  // a block that cannot be decoded gives no entries.
  bool Read(uint32_t number, bool headwordsOnly, std::vector<Entry>& entries) const;
  // The keys of data block `number` alone (engine/block_keys.h); false as Read.
  bool ReadKeys(uint32_t number, BlockKeys& keys) const;

 private:
  const Dictionary& dictionary_;
  std::optional<File> file_;
  uint64_t fileSize_;
};

}  // namespace tavlex
