// A StarDict copy of a benchmark dictionary's records, for sdcv, the terminal
// tool users compare a single look-up with: NAME.ifo, NAME.idx (the keys in
// StarDict's order, each with the offset and size of its text) and NAME.dict
// (the texts, UTF-8, one after another).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::bench {

// Writes folder/NAME.{ifo,idx,dict}; records with the same key become one.
void WriteStarDict(const std::filesystem::path& folder, const std::string& name,
                   const std::vector<dicwriter::Record>& records);

}  // namespace tavlex::bench
