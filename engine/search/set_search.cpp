#include "engine/search/set_search.h"

namespace tavlex {

std::vector<DictionaryHits> SearchSet(
    DictionarySet& set, TextIndexes& indexes, const SearchRequest& request, IndexWait wait, bool countAll,
    const std::function<void(const Dictionary&, const TextIndexes::Status&)>& progress) {
  const bool needsIndex = NeedsTextIndex(request);
  if (needsIndex && wait != IndexWait::kScan) {
    for (size_t i = 0; i < set.count(); ++i) {
      if (DictionarySet::InUse(set.at(i))) indexes.Prepare(set.at(i));
    }
  }
  std::vector<DictionaryHits> all;
  for (size_t i = 0; i < set.count(); ++i) {
    Dictionary& dictionary = set.at(i);
    if (!DictionarySet::InUse(dictionary)) continue;
    std::shared_ptr<const TextIndex> index;
    if (needsIndex && wait == IndexWait::kWait) {
      index = indexes.Wait(dictionary, [&](const TextIndexes::Status& status) {
        if (progress) progress(dictionary, status);
      });
    } else if (needsIndex) {
      index = indexes.Ready(dictionary);
    }
    DictionaryHits hits{dictionary.shared_from_this(), {}};
    if (needsIndex && !index && wait == IndexWait::kSkip) {
      hits.results.route = SearchRoute::kIndexPending;
    } else {
      hits.results = SearchDictionary(dictionary, request, index.get(), countAll);
    }
    if (hits.results.indexDamaged) {
      indexes.Discard(dictionary);
      indexes.Prepare(dictionary);
    }
    all.push_back(std::move(hits));
  }
  return all;
}

const std::vector<EntryRef>& LookUpPrefix(DictionarySet& set, std::u16string_view text, bool inflect) {
  static const std::vector<EntryRef> kNone;
  const std::u16string word = SearchWord(SearchMode::kPrefix, text);
  if (word.empty()) return kNone;
  set.SearchAll(word);
  if (inflect) set.SearchInflectedAll(word);
  return set.MergeResults();
}

}  // namespace tavlex
