#include "view/search_history.h"

#include <algorithm>

namespace tavlex {

std::vector<std::u16string> SearchHistory::NewestFirst() const { return {words_.rbegin(), words_.rend()}; }

void SearchHistory::SetNewestFirst(const std::vector<std::u16string>& words) {
  words_.assign(words.rbegin(), words.rend());
  if (words_.size() > capacity_)
    words_.erase(words_.begin(), words_.end() - static_cast<ptrdiff_t>(capacity_));
  place_ = words_.size();
}

void SearchHistory::Add(const std::u16string& word) {
  if (word.empty() || (place_ < words_.size() && words_[place_] == word)) return;
  std::erase(words_, word);
  words_.push_back(word);
  if (words_.size() > capacity_) words_.erase(words_.begin());
  place_ = words_.size();
}

std::optional<std::u16string> SearchHistory::Back(const std::u16string& current) {
  size_t place = place_;
  if (place == words_.size()) {
    // The newest word is what the box shows already: step over it.
    if (place > 0 && words_[place - 1] == current) --place;
    if (place == 0) return std::nullopt;
    typed_ = current;
  }
  if (place == 0) return std::nullopt;
  place_ = place - 1;
  return words_[place_];
}

std::optional<std::u16string> SearchHistory::Forward() {
  if (place_ >= words_.size()) return std::nullopt;
  return ++place_ == words_.size() ? typed_ : words_[place_];
}

}  // namespace tavlex
