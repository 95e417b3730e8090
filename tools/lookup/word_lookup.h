// One lookup of a word, as the viewer's search command runs it.
#pragma once

#include <string_view>
#include <vector>

#include "engine/dictionary_set.h"

namespace tavlex::lookup {

// The merged results for text with the search characters stripped from its
// ends; none for a word that strips to nothing, which the viewer never
// searches. With inflect, the inflection search follows, and its merged
// results replace the first ones when it reports success.
std::vector<EntryRef> LookUpWord(DictionarySet& set, std::u16string_view text, bool inflect);

}  // namespace tavlex::lookup
