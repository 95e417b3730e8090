// What keeping an entry of a result display needs besides the word book:
// which entry a paragraph of the display belongs to, the mark a kept entry
// carries beside its headword.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavlex {

// Put before the headword of an entry that is in the word book.
inline constexpr std::u16string_view kKeptMark = u"★ ";

// The entry shown at paragraph, for a display whose entries begin at the
// paragraphs firstParagraphs (ascending): the last one beginning at or
// before it. None when no entry begins there or earlier (the display's
// progress lines, or an empty display).
std::optional<size_t> EntryAtParagraph(std::span<const size_t> firstParagraphs, size_t paragraph);

}  // namespace tavlex
