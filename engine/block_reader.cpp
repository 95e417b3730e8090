#include "engine/block_reader.h"

#include "engine/dictionary.h"

namespace tavlex {

BlockReader::BlockReader(const Dictionary& dictionary)
    : dictionary_(dictionary), file_(dictionary.OpenFile()), fileSize_(file_ ? file_->Size() : 0) {}

bool BlockReader::Read(uint32_t number, bool headwordsOnly, std::vector<Entry>& entries) const {
  return file_ && dictionary_.ReadBlock(*file_, fileSize_, number, headwordsOnly, entries);
}

bool BlockReader::ReadKeys(uint32_t number, BlockKeys& keys) const {
  return file_ && dictionary_.ReadKeys(*file_, fileSize_, number, keys);
}

}  // namespace tavlex
