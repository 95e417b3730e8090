// What tavlex-index does for each dictionary: build its index, tell its
// state, or remove its file. Each prints one line a dictionary.
#pragma once

#include <ostream>

#include "engine/dictionary_set.h"
#include "tools/index/index_options.h"

namespace tavlex::index {

// True when every dictionary has an index file that is up to date afterwards
// (clear: when every file could be removed). A build whose file cannot be
// written says so, with the file and the reason.
bool RunIndexCommand(const IndexOptions& options, DictionarySet& set, const std::filesystem::path& folder,
                     std::ostream& out, std::ostream& progress, bool progressShown);

}  // namespace tavlex::index
