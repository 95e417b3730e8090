// What keeping an entry of a result display needs besides the word book:
// which entry a paragraph of the display belongs to, what of it goes into the
// word book, the mark a kept entry carries beside its headword.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/block_cache.h"
#include "wordbook/kept_entry.h"

namespace tavlex {

// Put before the headword of an entry that is in the word book.
inline constexpr std::u16string_view kKeptMark = u"★ ";

// The entry shown at paragraph, for a display whose entries begin at the
// paragraphs firstParagraphs (ascending): the last one beginning at or
// before it. None when no entry begins there or earlier (the display's
// progress lines, or an empty display).
std::optional<size_t> EntryAtParagraph(std::span<const size_t> firstParagraphs, size_t paragraph);

// The entries a result display shows, in order, with the paragraph each
// begins at; for those a text's look-up found, also the form found and the
// part of the text that form covers, which keeping the entry takes.
class ShownEntries {
 public:
  void Clear();
  // entry begins at paragraph, below every entry added before it.
  void Add(EntryRef entry, size_t paragraph);
  // The same for an entry a text's look-up found as form, which covers
  // [begin, end) of the text.
  void AddFound(EntryRef entry, size_t paragraph, std::u16string form, uint32_t begin, uint32_t end);

  // The entry shown at paragraph; the first one above the first entry (the
  // progress lines); none when the display shows no entry.
  std::optional<size_t> At(size_t paragraph) const;
  const Entry& entry(size_t i) const { return *entries_[i].entry; }

  // What keeping entry i puts into the word book, under the dictionary's
  // name and path: an entry a text's look-up found keeps its form as the
  // headword and scanned, the text, as its source with that form's part
  // covered; another keeps typed, the search text, as its source, all covered.
  wordbook::KeptEntry ToKeep(size_t i, std::u16string_view dictionaryName, std::u16string_view dictionaryPath,
                             std::u16string_view typed, std::u16string_view scanned) const;

 private:
  struct FoundAs {
    std::u16string form;
    uint32_t begin = 0;
    uint32_t end = 0;
  };
  struct Shown {
    EntryRef entry;
    std::optional<FoundAs> foundAs;  // for the entries of a text's look-up
  };
  std::vector<Shown> entries_;
  std::vector<size_t> starts_;  // the paragraph each entry begins at, ascending
};

}  // namespace tavlex
