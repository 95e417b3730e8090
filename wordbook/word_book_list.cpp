#include "wordbook/word_book_list.h"

#include <algorithm>

#include "engine/search/entry_matcher.h"

namespace tavlex::wordbook {
namespace {

// Every field the filter looks in. The source text rides in the display
// form's place, which the full-text search looks at with the headword.
Entry FieldsOf(const KeptEntry& kept) {
  Entry entry;
  entry.key = kept.headword;
  entry.display = kept.sourceText;
  entry.translation = kept.translation;
  entry.pronunciation = kept.pronunciation;
  entry.example = kept.example;
  return entry;
}

bool Newer(const KeptEntry& a, const KeptEntry& b) {
  return a.keptAt != b.keptAt ? a.keptAt > b.keptAt : a.id > b.id;
}

// Entries come from dictionaries with different accent settings; a word
// typed without its accents finds the accented one.
constexpr bool kFoldAccents = true;

}  // namespace

WordBookList::WordBookList(WordBook& book) : book_(book) { Reload(); }

void WordBookList::Reload() {
  entries_ = book_.Entries();
  fields_.clear();
  fields_.reserve(entries_.size());
  for (const KeptEntry& entry : entries_) fields_.push_back(FieldsOf(entry));
  Filter();
}

void WordBookList::SetFilter(std::u16string_view text, bool foldKana) {
  filter_ = text;
  foldKana_ = foldKana;
  Filter();
}

void WordBookList::Filter() {
  shown_.clear();
  if (FullTextTerms(filter_).empty()) {
    for (size_t i = 0; i < entries_.size(); ++i) shown_.push_back(i);
    return;
  }
  EntryMatcher matcher({SearchMode::kFullText, filter_, kAllFields, foldKana_}, kFoldAccents);
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (matcher.Matches(fields_[i], nullptr)) shown_.push_back(i);
  }
}

void WordBookList::Insert(KeptEntry entry) {
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), entry, Newer);
  const auto index = static_cast<size_t>(at - entries_.begin());
  fields_.insert(fields_.begin() + static_cast<std::ptrdiff_t>(index), FieldsOf(entry));
  entries_.insert(at, std::move(entry));
  Filter();
}

void WordBookList::Erase(size_t index) {
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  fields_.erase(fields_.begin() + static_cast<std::ptrdiff_t>(index));
  Filter();
}

Change WordBookList::Remove(size_t row) {
  const size_t index = shown_.at(row);
  Change change = book_.Remove(entries_[index].id);
  if (change.outcome == Change::kDone) removed_.push_back(change.entry);
  if (change.outcome != Change::kFailed) Erase(index);
  return change;
}

Change WordBookList::Undo() {
  if (removed_.empty()) return {Change::kNotFound, {}, ""};
  Change change = book_.Restore(removed_.back());
  if (change.outcome == Change::kFailed) return change;
  removed_.pop_back();
  // Kept again in the meantime: that entry is in the list already, or will be at the next reload.
  if (change.outcome == Change::kDone) Insert(change.entry);
  return change;
}

}  // namespace tavlex::wordbook
