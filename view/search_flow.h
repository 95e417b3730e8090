// SearchFlow: what the lookup view does with its search text, without a
// window. It decides what a change of the text, a timer and the two search
// commands lead to (a posted search, which timers are killed and armed), and
// runs the sequence of one search: strip the word, search every dictionary in
// use, merge the results in set order, and the inflection search after it.
// The view turns its events into these calls and the merged entries into
// paragraphs; tavlex-lookup runs the engine's searches without a flow.
//
// It reads the search options and the viewer's options through a reference
// to the window's settings, and says what they turn to when a word of the
// history or a text from another program is searched; the window stores
// what it says.
//
// The search mode decides the search: the prefix search is the set's own, as
// it always was; the other modes search every dictionary in use through the
// full-text indexes, which are made on worker threads and never waited for.
// Their hits carry where they matched, and a dictionary that found more than
// its limit has its hits counted on another worker. The look-up of a text
// (the scan mode) reads the text as a selected text is read and gives its
// hits in groups, one for each start of the text that found something; what
// its look-ups learn of the dictionaries is kept for the next ones. What the
// workers learn reaches the window as posted messages; the flow then says
// what to redraw.
// A word shown long enough, or searched with Return, goes into the history
// with its mode and fields, and the host is told so that it keeps it.
//
// While an input method composes in the box nothing is searched: a change,
// a timer falling due or a search command is held back, and when the
// composition ends the flow does once what they asked for.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "engine/dictionary_set.h"
#include "engine/index/text_indexes.h"
#include "engine/search/set_search.h"
#include "engine/search/text_scan.h"
#include "settings/viewer_settings.h"
#include "view/hit_counter.h"
#include "view/result_lines.h"
#include "view/search_history.h"

namespace tavlex {

// What the flow asks of the window it runs in. The timers are one-shot: the
// flow kills each one as it fires. PostMessage is called from worker threads.
class SearchHost {
 public:
  virtual void PostCommand(int command) = 0;
  virtual void SetTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;
  virtual void PostMessage(int message, intptr_t wParam, intptr_t lParam) = 0;
  // A word entered the history or moved in it; a host without a file keeps nothing.
  virtual void HistoryChanged() {}

 protected:
  ~SearchHost() = default;
};

class SearchFlow {
 public:
  // What a search leaves for the display.
  enum class Found {
    kNothing,  // the word was empty, or nothing new was found: the display keeps what it shows
    kEntries,  // entries() holds the new list, possibly empty
    kHits,     // hits() holds the new hits, dictionary by dictionary, with where they matched
    kGroups,   // groups() holds the new groups of the look-up of scannedText(), possibly none
  };
  // What a notice from a worker asks of the display.
  enum class Redraw {
    kNothing,
    kInPlace,      // a count or the progress of an index changed: redraw where the reader is
    kSearchAgain,  // an index the last search lacked is ready: search the text again
  };

  // host may be null for a caller that never changes the text and has no
  // timers. The options are read at each step: a change of the viewer's
  // options applies from the next change of the text (armed timers stay), of
  // the search options from the next search. All three must outlive the flow.
  SearchFlow(DictionarySet& set, SearchHost* host, const ViewerSettings& settings);
  SearchFlow(const SearchFlow&) = delete;
  SearchFlow& operator=(const SearchFlow&) = delete;

  // The options the flow searches by.
  const SearchOptions& searchOptions() const { return settings_.search; }

  // The search text changed: nothing, a search posted at once, or the delay restarted.
  void OnTextChanged();
  // Whether a change of the text leads to a search: the incremental search is
  // on (and there is a host to post it to).
  bool SearchesOnChange() const { return settings_.viewer.incresearch && host_; }
  // A timer fired: the incremental search or the inflection search falls due.
  void OnTimer(int id);
  // An input method began composing in the box (true) or ended (false). At
  // the start the incremental and inflection timers are killed; at the end
  // what was held back is done: a search posted, the change of the text
  // handled, the inflection timer armed again.
  void OnComposing(bool composing);

  // The search command: the merged results of every dictionary in use for
  // text without its surrounding punctuation, in the search mode. Arms the
  // inflection timer when conjudelay is positive and the mode has
  // inflections (prefix and exact), also after an empty word. Held back,
  // finding nothing, while an input method composes.
  Found Search(std::u16string_view text);
  // The inflection command: entries only when some dictionary found any, in
  // the prefix and exact modes only. Held back while an input method composes.
  Found SearchInflected(std::u16string_view text);

  // Whether Search(text) has a word to search: text holds more than the
  // characters the mode strips.
  bool HasWord(std::u16string_view text) const;

  // The merged list of the last search that found kEntries; valid until the next one.
  const std::vector<EntryRef>& entries() const { return *entries_; }
  // The hits of the last search that found kHits, dictionary by dictionary.
  const std::vector<DictionaryHits>& hits() const { return hits_; }
  // The hits of dictionary i beyond those it shows, once they are counted
  // (only where it found its limit); 0 when it shows them all, or until then.
  uint64_t MoreHits(size_t i) const;
  // Whether the hits show where they matched: not in the prefix search, also
  // where a wildcard made it a pattern.
  bool hitsMarked() const { return hitsMarked_; }
  // The groups of the last search that found kGroups, and the text their
  // offsets are in.
  const std::vector<ScanGroup>& groups() const { return groups_; }
  const std::u16string& scannedText() const { return scanned_; }
  // text looked up as the scan mode looks a text up, apart from the flow's
  // search (the pop-up's look-up): what the flow shows stays as it is, and
  // what the look-ups of the set learn is kept once, for both.
  std::vector<ScanGroup> ScanApart(std::u16string_view text);

  // Handles a message posted by a worker (kWmIndexNotice, kWmCountNotice in resources/resource_ids.h).
  Redraw OnNotice(int message, intptr_t wParam, intptr_t lParam);
  // The indexes of the dictionaries in use that are not ready, or ready without their file, as far
  // as the display should tell.
  std::vector<IndexProgress> IndexesUnderWay() const;
  // Makes the indexes of every dictionary in use now, whatever the mode.
  void BuildIndexes();
  // Forgets the indexes of every dictionary and removes their files.
  void RemoveIndexes();
  // A dictionary leaves the set: its index is no longer made (its file stays).
  void Forget(const Dictionary& dictionary) { indexes_.Cancel(dictionary); }

  SearchHistory& history() { return history_; }
  // Return was pressed: the word is searched, and goes into the history at
  // once, in the search mode.
  void OnReturn(std::u16string_view text);
  // Stepping through the history from text, the word in the box: the entry
  // to show, or none at either end.
  std::optional<HistoryEntry> HistoryBack(std::u16string_view text);
  std::optional<HistoryEntry> HistoryForward() { return history_.Forward(); }
  // The search options a word of the history is searched in again: its mode,
  // and in the full-text search its fields.
  SearchOptions OptionsOf(const HistoryEntry& entry) const;

  // A text from another program is what a user reads, not a headword: the
  // options it is searched in (文から検索, the rest as they are).
  SearchOptions OptionsToLookUp() const;
  // The text selected in the result display, to be looked up as a text from
  // another program is: its first line, or none when that holds nothing to
  // search. Then text, the word it came from, goes into the history first,
  // so that stepping back brings it back.
  std::optional<std::u16string> SelectionToLookUp(std::u16string_view selected, std::u16string_view text);

 private:
  // What a composition held back: a search covers the other two.
  struct Held {
    bool inflection = false;  // the inflection timer was armed, or fell due
    bool change = false;      // the text changed, or the incremental timer was armed or fell due
    bool search = false;      // a search was asked for
  };

  void SetTimer(int id, int milliseconds);
  void KillTimer(int id);
  // text, the word in the box, as the history keeps it: stripped as the
  // search mode strips it, with the mode and the fields.
  HistoryEntry Typed(std::u16string_view text) const;
  // Tells the host when the history changed, so that it keeps it.
  void Kept(bool changed);
  // The search that found found left something to show.
  bool FoundAnything(Found found) const;
  // Counts the hits of every dictionary that found as many as it may show.
  void CountBeyondLimits(const SearchRequest& request);

  DictionarySet& set_;
  SearchHost* host_;
  const ViewerSettings& settings_;
  const std::vector<EntryRef>* entries_ = &kNoEntries;
  std::vector<DictionaryHits> hits_;
  std::vector<std::optional<uint64_t>> totals_;
  bool hitsMarked_ = false;
  std::vector<ScanGroup> groups_;
  std::u16string scanned_;
  ScanMemory scanMemory_;    // for the scan mode's search and ScanApart; checks each dictionary itself
  uint64_t generation_ = 0;  // of the last search; counts of older ones are dropped
  SearchHistory history_{kHistoryLength};
  HistoryEntry shown_;                     // found something; goes into the history when its timer fires
  std::atomic<bool> indexNotice_ = false;  // one notice on its way at a time
  std::set<int> armed_;                    // the timers armed through the host
  bool composing_ = false;
  Held held_;
  // The workers call back into the flow: they go first.
  HitCounter counter_;
  TextIndexes indexes_;

  static const std::vector<EntryRef> kNoEntries;
};

}  // namespace tavlex
