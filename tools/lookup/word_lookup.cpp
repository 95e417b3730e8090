#include "lookup/word_lookup.h"

#include "engine/text.h"

namespace tavlex::lookup {

std::vector<EntryRef> LookUpWord(DictionarySet& set, std::u16string_view text, bool inflect) {
  const std::u16string word = StripSearchWord(text);
  if (word.empty()) return {};
  set.SearchAll(word);
  // A copy: the next merge reuses the set's list.
  std::vector<EntryRef> results = set.MergeResults();
  if (inflect && set.SearchInflectedAll(word)) results = set.MergeResults();
  return results;
}

}  // namespace tavlex::lookup
