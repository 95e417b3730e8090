// SearchFlow: what the lookup view does with its search text, without a
// window. It decides what a change of the text, a timer and the two search
// commands lead to (a posted search, which timers are killed and armed), and
// runs the sequence of one search: strip the word, search every dictionary in
// use, merge the results in set order, and the inflection search after it.
// The view turns its events into these calls and the merged entries into
// paragraphs; tavlex-lookup runs the same sequence without timers.
#pragma once

#include <string_view>
#include <vector>

#include "engine/dictionary_set.h"
#include "settings/viewer_options.h"

namespace tavlex {

// What the flow asks of the window it runs in. The two timers are one-shot:
// the flow kills each one as it fires.
class SearchHost {
 public:
  virtual void PostCommand(int command) = 0;
  virtual void SetTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;

 protected:
  ~SearchHost() = default;
};

class SearchFlow {
 public:
  // What a search leaves for the display.
  enum class Found {
    kNothing,  // the word was empty, or nothing new was found: the display keeps what it shows
    kEntries,  // entries() holds the new list, possibly empty
  };

  // host may be null for a caller that never changes the text and has no
  // timers. Both must outlive the flow.
  SearchFlow(DictionarySet& set, SearchHost* host) : set_(set), host_(host) {}
  SearchFlow(const SearchFlow&) = delete;
  SearchFlow& operator=(const SearchFlow&) = delete;

  const ViewerOptions& options() const { return options_; }
  // New options take effect from the next change of the text; armed timers stay.
  void SetOptions(const ViewerOptions& options) { options_ = options; }

  // The search text changed: nothing, a search posted at once, or the delay restarted.
  void OnTextChanged();
  // A timer fired: the incremental search or the inflection search falls due.
  void OnTimer(int id);

  // The search command: the merged results of every dictionary in use for
  // text without its surrounding punctuation. Arms the inflection timer
  // when conjudelay is positive, also after an empty word.
  Found Search(std::u16string_view text);
  // The inflection command: entries only when some dictionary found any.
  Found SearchInflected(std::u16string_view text);

  // The merged list of the last search that found kEntries; valid until the next one.
  const std::vector<EntryRef>& entries() const { return *entries_; }

 private:
  void SetTimer(int id, int milliseconds);
  void KillTimer(int id);

  DictionarySet& set_;
  SearchHost* host_;
  ViewerOptions options_;
  const std::vector<EntryRef>* entries_ = &kNoEntries;

  static const std::vector<EntryRef> kNoEntries;
};

}  // namespace tavlex
