// tavlex-lookup --mode scan: the words given, joined by spaces, are one text
// read as a selected text is: the longest start of it that is a headword once
// its inflections are undone, then the shorter starts. Each group of hits is
// printed under its heading, as the viewer writes it, or as JSON lines that
// say which start of the text each entry covers, the form looked up and the
// rules undone.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/dictionary_set.h"
#include "engine/search/text_scan.h"
#include "tools/lookup/first_printed.h"
#include "tools/lookup/lookup_options.h"

namespace tavlex::lookup {

// Looks the text of options.words up in set; prints to out. True when any
// entry was printed, first then being the one printed first.
bool PrintScanLookup(const LookupOptions& options, DictionarySet& set, std::ostream& out,
                     std::optional<FirstPrinted>& first);

// One JSON object and a line break: the entry as FormatJsonEntry gives it,
// then "matched" (the start of text covered, as it stands there), "form" and
// "rules" (their names, innermost first).
std::string FormatJsonScanHit(const ScanHit& hit, std::u16string_view dictionaryPath,
                              std::u16string_view text, std::u16string_view matched);

}  // namespace tavlex::lookup
