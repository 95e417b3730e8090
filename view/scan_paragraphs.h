// How a result display shows what a look-up of a selected text found: each
// group of hits under its heading ("took care of → take care of（過去形）"),
// the entries drawn as every result display draws them.
#pragma once

#include <string_view>
#include <vector>

#include "engine/search/text_scan.h"
#include "view/entry_paragraphs.h"

namespace tavlex {

// Whether a heading marks the part of the text its entries cover (the
// window's do; the pop-up marks the text above its results instead).
enum class CoveredMark { kNone, kInHeading };

// Appends groups, the look-up of text, to display: each group's heading
// (HeadingOf), then the entries of its hits. The paragraph each hit's entry
// begins at, hit by hit in the order of groups.
std::vector<size_t> AppendScanGroups(CEditor& display, FontCache& fonts, const wordbook::KeptMarks& marks,
                                     std::u16string_view text, const std::vector<ScanGroup>& groups,
                                     CoveredMark covered = CoveredMark::kNone);

}  // namespace tavlex
