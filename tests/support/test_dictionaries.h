// Dictionaries written for a test into its temporary directory.
#pragma once

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::testing {

// Records with a key and a translation; the translation says which record it is.
inline std::vector<dicwriter::Record> Words(const std::vector<std::u16string>& keys) {
  std::vector<dicwriter::Record> records;
  for (const std::u16string& key : keys) records.push_back({key, u"", 0, u"T:" + key, u"", u""});
  return records;
}

// Writes records into dir/name and returns the path.
inline std::u16string WriteTestDictionary(const TempDir& dir, const std::string& name,
                                          std::vector<dicwriter::Record> records,
                                          const dicwriter::Options& options = {}) {
  const std::u16string path = dir.File(name);
  dicwriter::WriteDictionaryFile(std::filesystem::path(path).string(),
                                 dicwriter::WriteDictionary(std::move(records), options));
  return path;
}

// Small blocks, so that a few records spread over many blocks.
inline dicwriter::Options SmallBlocks(int recordsPerBlock) {
  dicwriter::Options options;
  options.blockSize = 256;
  options.maxRecordsPerBlock = recordsPerBlock;
  return options;
}

}  // namespace tavlex::testing
