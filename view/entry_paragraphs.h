// How a result display shows an entry: the window's and the pop-up's both
// draw it this way, part by part in its dictionary's fonts.
#pragma once

#include <string>
#include <vector>

#include "engine/block_cache.h"
#include "engine/search/entry_matcher.h"
#include "view/font_cache.h"
#include "wordbook/word_book.h"

namespace tavlex {

class CEditor;

// Appends the parts of entry to display, matches marked, kKeptMark before
// the headword when marks holds the entry, the lines of matches in fields
// the dictionary does not show, then more (if any) and a blank
// line. An entry whose dictionary has gone shows in the default settings.
void AppendEntryParagraphs(CEditor& display, FontCache& fonts, const wordbook::KeptMarks& marks,
                           const Entry& entry, const std::vector<FieldMatch>& matches,
                           const std::u16string* more);

}  // namespace tavlex
