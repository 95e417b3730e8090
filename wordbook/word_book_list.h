// What the word book window shows, without the window: the kept entries
// newest first, narrowed by the filter box, and removals that can be undone
// (元に戻す), each putting its entry back as it was.
//
// The filter has the full-text search's rules (engine/search): every word
// typed, or "quoted run", must occur in the headword, translation, example,
// pronunciation or the text the entry was looked up from; case, width and
// accents are ignored, kana folded with the viewer's option.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/entry.h"
#include "wordbook/word_book.h"

namespace tavlex::wordbook {

class WordBookList {
 public:
  // Reads the entries at once; book must outlive the list.
  explicit WordBookList(WordBook& book);

  // Reads the entries anew: when the window comes back to the front, say,
  // since another program may have changed the word book.
  void Reload();
  void SetFilter(std::u16string_view text, bool foldKana);

  // The entries shown, newest first.
  size_t size() const { return shown_.size(); }
  const KeptEntry& at(size_t row) const { return entries_[shown_[row]]; }

  // Removes the entry shown at row from the word book and the list. An
  // entry that another program removed first leaves the list too, with
  // nothing to undo.
  Change Remove(size_t row);
  bool CanUndo() const { return !removed_.empty(); }
  // Puts the entry removed last back into the word book and the list.
  Change Undo();

 private:
  void Insert(KeptEntry entry);
  void Erase(size_t index);
  void Filter();

  WordBook& book_;
  std::vector<KeptEntry> entries_;  // every entry, newest first
  std::vector<Entry> fields_;       // the same, as the matcher reads them (source text as display form)
  std::vector<size_t> shown_;       // indexes into entries_ of those the filter lets through
  std::u16string filter_;
  bool foldKana_ = false;
  std::vector<KeptEntry> removed_;  // for undo, the last removed at the back
};

}  // namespace tavlex::wordbook
