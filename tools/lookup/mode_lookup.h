// tavlex-lookup in the search modes other than the plain prefix search:
// every dictionary searched in the mode, an index built first where one is
// needed (with a progress bar on a terminal), the entries printed as the
// plain lookup prints them or as JSON with where the word matched.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "engine/dictionary_set.h"
#include "engine/search/mode_search.h"
#include "tools/lookup/first_printed.h"
#include "tools/lookup/lookup_options.h"

namespace tavlex::lookup {

// True when word goes to the modes' search rather than the viewer's prefix
// search: any mode but prefix, or a prefix pattern with a wildcard.
bool TakesModeSearch(const LookupOptions& options, std::u16string_view word);

// Looks every word up in set; prints to out. True when any entry was
// printed; first is then the one printed first.
bool PrintModeLookups(const LookupOptions& options, DictionarySet& set, std::ostream& out,
                      std::optional<FirstPrinted>& first);

// One JSON object and a line break: the entry as FormatJsonEntry gives it,
// then "matches": the field and UTF-16 offsets [begin, end) of each match.
std::string FormatJsonHit(const SearchHit& hit, std::u16string_view dictionaryPath,
                          std::u16string_view query);

}  // namespace tavlex::lookup
