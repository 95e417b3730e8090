// SearchHistory: the words a user searched, newest last, each with the mode
// (and fields) it was searched in, and a place in them for stepping back and
// forth as a browser does. Stepping back from the word being typed keeps it,
// so that stepping forward past the newest word brings it back. A word that
// comes in again moves to the newest place, with the mode it came in with.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "settings/search_options.h"

namespace tavlex {

class SearchHistory {
 public:
  explicit SearchHistory(size_t capacity) : capacity_(capacity) {}

  // Newest first, as the settings file and the menu list them.
  std::vector<HistoryEntry> NewestFirst() const;
  void SetNewestFirst(const std::vector<HistoryEntry>& entries);

  // A word was searched and shown long enough, or Return was pressed. An
  // empty word, and the word stepped to (its results are on show again),
  // change nothing. True when the list changed, so that it is kept.
  bool Add(const HistoryEntry& entry);
  // A look-up leaves entry, the word on show, for another word: the stepping
  // ends, and entry goes in as Add puts it, also when it is the word stepped
  // to, so that stepping back from the other word brings it back.
  bool Leave(const HistoryEntry& entry);

  // The entry before the one shown, given what the search box holds now (its
  // text in the current mode); none at the oldest.
  std::optional<HistoryEntry> Back(const HistoryEntry& current);
  // The entry after it, or what the box held before stepping back; none when not stepping.
  std::optional<HistoryEntry> Forward();

 private:
  size_t capacity_;
  std::vector<HistoryEntry> entries_;  // oldest first
  size_t place_ = 0;                   // entries_.size() while not stepping
  HistoryEntry typed_;                 // the box when stepping began
};

}  // namespace tavlex
