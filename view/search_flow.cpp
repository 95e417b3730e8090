#include "view/search_flow.h"

#include "engine/text.h"
#include "resources/resource_ids.h"

namespace tavlex {

const std::vector<EntryRef> SearchFlow::kNoEntries;

void SearchFlow::OnTextChanged() {
  if (!options_.incresearch || !host_) return;
  if (options_.delay == 0) {
    // A pending inflection search is left alone: the search re-arms it.
    host_->PostCommand(ids::kSearch);
    return;
  }
  KillTimer(ids::kIncrementalSearchTimer);
  KillTimer(ids::kInflectionSearchTimer);
  SetTimer(ids::kIncrementalSearchTimer, options_.delay);
}

void SearchFlow::OnTimer(int id) {
  if (!host_) return;
  if (id == ids::kIncrementalSearchTimer) {
    KillTimer(ids::kIncrementalSearchTimer);
    KillTimer(ids::kInflectionSearchTimer);
    host_->PostCommand(ids::kSearch);
  } else if (id == ids::kInflectionSearchTimer) {
    KillTimer(ids::kInflectionSearchTimer);
    host_->PostCommand(ids::kInflectionSearch);
  }
}

SearchFlow::Found SearchFlow::Search(std::u16string_view text) {
  const std::u16string word = StripSearchWord(text);
  Found found = Found::kNothing;
  if (!word.empty()) {
    set_.SearchAll(word);
    entries_ = &set_.MergeResults();
    found = Found::kEntries;
  }
  if (options_.conjudelay > 0) SetTimer(ids::kInflectionSearchTimer, options_.conjudelay);
  return found;
}

SearchFlow::Found SearchFlow::SearchInflected(std::u16string_view text) {
  const std::u16string word = StripSearchWord(text);
  if (word.empty() || !set_.SearchInflectedAll(word)) return Found::kNothing;
  entries_ = &set_.MergeResults();
  return Found::kEntries;
}

void SearchFlow::SetTimer(int id, int milliseconds) {
  if (host_) host_->SetTimer(id, milliseconds);
}

void SearchFlow::KillTimer(int id) {
  if (host_) host_->KillTimer(id);
}

}  // namespace tavlex
