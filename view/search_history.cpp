#include "view/search_history.h"

#include <algorithm>

namespace tavlex {

std::vector<HistoryEntry> SearchHistory::NewestFirst() const { return {entries_.rbegin(), entries_.rend()}; }

void SearchHistory::SetNewestFirst(const std::vector<HistoryEntry>& entries) {
  entries_.assign(entries.rbegin(), entries.rend());
  if (entries_.size() > capacity_)
    entries_.erase(entries_.begin(), entries_.end() - static_cast<ptrdiff_t>(capacity_));
  place_ = entries_.size();
}

bool SearchHistory::Add(const HistoryEntry& entry) {
  if (entry.word.empty() || (place_ < entries_.size() && entries_[place_].word == entry.word)) return false;
  const bool same = !entries_.empty() && entries_.back() == entry;
  std::erase_if(entries_, [&entry](const HistoryEntry& e) { return e.word == entry.word; });
  entries_.push_back(entry);
  if (entries_.size() > capacity_) entries_.erase(entries_.begin());
  place_ = entries_.size();
  return !same;
}

bool SearchHistory::Leave(const HistoryEntry& entry) {
  place_ = entries_.size();
  return Add(entry);
}

std::optional<HistoryEntry> SearchHistory::Back(const HistoryEntry& current) {
  size_t place = place_;
  if (place == entries_.size()) {
    // The newest word is what the box shows already: step over it.
    if (place > 0 && entries_[place - 1].word == current.word) --place;
    if (place == 0) return std::nullopt;
    typed_ = current;
  }
  if (place == 0) return std::nullopt;
  place_ = place - 1;
  return entries_[place_];
}

std::optional<HistoryEntry> SearchHistory::Forward() {
  if (place_ >= entries_.size()) return std::nullopt;
  return ++place_ == entries_.size() ? typed_ : entries_[place_];
}

}  // namespace tavlex
