// SearchHistory: the words a user searched, newest last, and a place in them
// for stepping back and forth as a browser does. Stepping back from the word
// being typed keeps it, so that stepping forward past the newest word brings
// it back. A word that comes in again moves to the newest place.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tavlex {

class SearchHistory {
 public:
  explicit SearchHistory(size_t capacity) : capacity_(capacity) {}

  // Newest first, as the settings file and the menu list them.
  std::vector<std::u16string> NewestFirst() const;
  void SetNewestFirst(const std::vector<std::u16string>& words);

  // A word was searched and shown long enough, or Return was pressed. An empty
  // word, and the word stepped to (its results are on show again), change nothing.
  void Add(const std::u16string& word);

  // The word before the one shown, given the text in the search box now; none at the oldest.
  std::optional<std::u16string> Back(const std::u16string& current);
  // The word after it, or the text that was typed before stepping back; none when not stepping.
  std::optional<std::u16string> Forward();

  size_t size() const { return words_.size(); }

 private:
  size_t capacity_;
  std::vector<std::u16string> words_;  // oldest first
  size_t place_ = 0;                   // words_.size() while not stepping
  std::u16string typed_;               // the box's text when stepping began
};

}  // namespace tavlex
