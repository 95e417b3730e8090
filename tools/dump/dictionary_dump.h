// Streams every entry of a dictionary out as text, block by block: only the
// index and one decoded block are ever in memory, whatever the file's size.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dictionary.h"
#include "engine/entry.h"

namespace tavlex::dump {

enum class DumpFormat { kTsv, kJson };

// One line per entry: the TSV columns tavlex-mkdic reads, or tavlex-lookup's
// JSON object without the query.
std::string FormatEntries(const std::vector<Entry>& entries, DumpFormat format,
                          std::u16string_view dictionaryPath);

struct DumpResult {
  std::vector<uint32_t> unreadableBlocks;  // in the order met
  bool writeFailed = false;                // the writer refused; the dump stopped there
};

// The blocks in index order, each formatted and handed to write, which
// answers false when the text could not be written. A block that cannot be
// read, or holds no entry, is skipped and listed.
DumpResult DumpDictionary(const Dictionary& dictionary, DumpFormat format,
                          const std::function<bool(std::string_view)>& write);

}  // namespace tavlex::dump
