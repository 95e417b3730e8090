// Searching every dictionary of a set in one of the search modes, in set
// order, with the full-text indexes of a TextIndexes.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/dictionary_set.h"
#include "engine/index/text_indexes.h"
#include "engine/search/mode_search.h"

namespace tavlex {

// What a search that needs a full-text index does while the index is not ready.
enum class IndexWait {
  kWait,  // waits for it, with progress
  kScan,  // reads every block instead
  kSkip,  // returns at once, route kIndexPending; the listener tells when it is ready
};

struct DictionaryHits {
  std::shared_ptr<Dictionary> dictionary;
  ModeResults results;
};

// Every dictionary in use (neither not-used nor irregular), in set order.
// Indexes that are needed are prepared for all dictionaries first, so that
// they are built side by side; an index found damaged is rebuilt.
std::vector<DictionaryHits> SearchSet(
    DictionarySet& set, TextIndexes& indexes, const SearchRequest& request, IndexWait wait, bool countAll,
    const std::function<void(const Dictionary&, const TextIndexes::Status&)>& progress = {});

// The entries the window shows for text in the plain prefix search: every
// dictionary in use searched and merged; with inflect, the inflection
// search's entries instead when it finds any. Empty when text leaves no word.
// They stay valid until the set searches again.
const std::vector<EntryRef>& LookUpPrefix(DictionarySet& set, std::u16string_view text, bool inflect);

}  // namespace tavlex
