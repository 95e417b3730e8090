#include "view/entry_keeping.h"

#include <algorithm>
#include <utility>

namespace tavlex {

std::optional<size_t> EntryAtParagraph(std::span<const size_t> firstParagraphs, size_t paragraph) {
  const auto after = std::upper_bound(firstParagraphs.begin(), firstParagraphs.end(), paragraph);
  if (after == firstParagraphs.begin()) return std::nullopt;
  return static_cast<size_t>(after - firstParagraphs.begin() - 1);
}

void ShownEntries::Clear() {
  entries_.clear();
  starts_.clear();
}

void ShownEntries::Add(EntryRef entry, size_t paragraph) {
  entries_.push_back({std::move(entry), std::nullopt});
  starts_.push_back(paragraph);
}

void ShownEntries::AddFound(EntryRef entry, size_t paragraph, std::u16string form, uint32_t begin,
                            uint32_t end) {
  entries_.push_back({std::move(entry), FoundAs{std::move(form), begin, end}});
  starts_.push_back(paragraph);
}

std::optional<size_t> ShownEntries::At(size_t paragraph) const {
  const std::optional<size_t> index = EntryAtParagraph(starts_, paragraph);
  if (!index && !entries_.empty()) return 0;
  return index;
}

wordbook::KeptEntry ShownEntries::ToKeep(size_t i, std::u16string_view dictionaryName,
                                         std::u16string_view dictionaryPath, std::u16string_view typed,
                                         std::u16string_view scanned) const {
  const Shown& shown = entries_[i];
  if (!shown.foundAs) {
    return wordbook::EntryToKeep(*shown.entry, dictionaryName, dictionaryPath, typed, 0,
                                 static_cast<uint32_t>(typed.size()));
  }
  const FoundAs& found = *shown.foundAs;
  wordbook::KeptEntry kept =
      wordbook::EntryToKeep(*shown.entry, dictionaryName, dictionaryPath, scanned, found.begin, found.end);
  kept.headword = found.form;
  return kept;
}

}  // namespace tavlex
