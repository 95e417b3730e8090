#include "engine/dictionary_set.h"

#include <stdexcept>

namespace tavlex {

DictionarySet::~DictionarySet() {
  // Dictionaries refer to their set; they go first.
  merged_.clear();
  dictionaries_.clear();
}

bool DictionarySet::Open(const std::u16string& path) {
  for (const auto& dictionary : dictionaries_) {
    if (dictionary->path() == path) return true;
  }
  std::shared_ptr<Dictionary> dictionary = Dictionary::Open(path, this, positionsFolder_);
  if (!dictionary) return false;
  dictionaries_.push_back(std::move(dictionary));
  return true;
}

void DictionarySet::SearchAll(const std::u16string& word) {
  for (const auto& dictionary : dictionaries_) {
    if (InUse(*dictionary)) dictionary->Search(word);
  }
}

bool DictionarySet::SearchInflectedAll(const std::u16string& word) {
  bool any = false;
  for (const auto& dictionary : dictionaries_) {
    if (InUse(*dictionary) && dictionary->SearchInflected(word)) any = true;
  }
  return any;
}

const std::vector<EntryRef>& DictionarySet::MergeResults() {
  merged_.clear();
  merged_.shrink_to_fit();
  // An irregular dictionary may still hold the results of a search from
  // before it was made irregular; they are not its to show.
  for (const auto& dictionary : dictionaries_) {
    if (!InUse(*dictionary)) continue;
    merged_.insert(merged_.end(), dictionary->results().begin(), dictionary->results().end());
  }
  return merged_;
}

void DictionarySet::RemoveAt(size_t index) {
  if (index >= dictionaries_.size()) throw std::out_of_range("DictionarySet::RemoveAt");
  dictionaries_.erase(dictionaries_.begin() + static_cast<ptrdiff_t>(index));
}

std::u16string DictionarySet::IrregularBaseForm(const std::u16string& word) {
  for (const auto& dictionary : dictionaries_) {
    if (!IsSource(*dictionary)) continue;
    std::u16string base = dictionary->TranslationOf(word);
    if (!base.empty()) return base;
  }
  return {};
}

bool DictionarySet::IrregularHasPrefix(const std::u16string& text) {
  for (const auto& dictionary : dictionaries_) {
    if (IsSource(*dictionary) && dictionary->HasPrefix(text)) return true;
  }
  return false;
}

}  // namespace tavlex
