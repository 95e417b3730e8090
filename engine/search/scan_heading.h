// The heading a display writes above each group of hits of a look-up of a
// selected text: the start of the text the group covers, as it stands there,
// and the forms found with the rules undone, "took care of → take care of（過去形）".
// The window and the pop-up write the same headings.
#pragma once

#include <string>
#include <string_view>

#include "engine/search/text_scan.h"

namespace tavlex {

// text.substr(group.begin, group.end - group.begin), or empty for a group that
// does not lie within text.
std::u16string_view CoveredText(std::u16string_view text, const ScanGroup& group);

// The covered start alone when every hit was found as it stands there;
// otherwise the covered start, " → " and each form found (FormLabel), once
// each, in the order of the hits, joined by "、".
std::u16string HeadingOf(std::u16string_view text, const ScanGroup& group);

}  // namespace tavlex
