#include "view/search_flow.h"

#include <utility>

#include "base/desktop_folders.h"
#include "base/lines.h"
#include "engine/index/index_store.h"
#include "engine/text/text.h"
#include "resources/resource_ids.h"
#include "settings/dictionary_keys.h"

namespace tavlex {
namespace {

// A result on show this long is taken as read: its word goes into the history.
constexpr int kHistoryDelayMs = 1500;
// The slot of a count travels in the low bits of the notice's wParam: one
// for each dictionary in use.
constexpr intptr_t kSlots = 16;
static_assert(kListedDictionaries <= kSlots);

std::u16string FileName(const std::u16string& path) {
  const size_t slash = path.find_last_of(u'/');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace

const std::vector<EntryRef> SearchFlow::kNoEntries;

SearchFlow::SearchFlow(DictionarySet& set, SearchHost* host, const ViewerSettings& settings)
    : set_(set),
      host_(host),
      settings_(settings),
      counter_([this](uint64_t generation, size_t slot, uint64_t total) {
        if (host_) {
          host_->PostMessage(ids::kWmCountNotice,
                             static_cast<intptr_t>(generation) * kSlots + static_cast<intptr_t>(slot),
                             static_cast<intptr_t>(total));
        }
      }),
      indexes_(UserDesktopFolders().cache) {
  indexes_.SetListener([this](const std::u16string&) {
    if (host_ && !indexNotice_.exchange(true)) host_->PostMessage(ids::kWmIndexNotice, 0, 0);
  });
}

void SearchFlow::OnTextChanged() {
  if (composing_) {
    held_.change = true;
    return;
  }
  if (!SearchesOnChange()) return;
  if (settings_.viewer.delay == 0) {
    // A pending inflection search is left alone: the search re-arms it.
    host_->PostCommand(ids::kSearch);
    return;
  }
  KillTimer(ids::kIncrementalSearchTimer);
  KillTimer(ids::kInflectionSearchTimer);
  SetTimer(ids::kIncrementalSearchTimer, settings_.viewer.delay);
}

void SearchFlow::OnTimer(int id) {
  if (!host_) return;
  if (composing_ && (id == ids::kIncrementalSearchTimer || id == ids::kInflectionSearchTimer)) {
    // Fired before its kill at the start of the composition reached the window.
    KillTimer(id);
    (id == ids::kIncrementalSearchTimer ? held_.change : held_.inflection) = true;
    return;
  }
  if (id == ids::kIncrementalSearchTimer) {
    KillTimer(ids::kIncrementalSearchTimer);
    KillTimer(ids::kInflectionSearchTimer);
    host_->PostCommand(ids::kSearch);
  } else if (id == ids::kInflectionSearchTimer) {
    KillTimer(ids::kInflectionSearchTimer);
    host_->PostCommand(ids::kInflectionSearch);
  } else if (id == ids::kHistoryTimer) {
    KillTimer(ids::kHistoryTimer);
    Kept(history_.Add(shown_));
  }
}

void SearchFlow::OnComposing(bool composing) {
  if (composing == composing_) return;
  composing_ = composing;
  if (composing) {
    held_.change |= armed_.count(ids::kIncrementalSearchTimer) != 0;
    held_.inflection |= armed_.count(ids::kInflectionSearchTimer) != 0;
    KillTimer(ids::kIncrementalSearchTimer);
    KillTimer(ids::kInflectionSearchTimer);
    return;
  }
  const Held held = std::exchange(held_, Held{});
  if (held.search) {
    if (host_) host_->PostCommand(ids::kSearch);
    return;
  }
  // In the order they came: a change after the inflection timer kills it again.
  if (held.inflection && settings_.viewer.conjudelay > 0)
    SetTimer(ids::kInflectionSearchTimer, settings_.viewer.conjudelay);
  if (held.change) OnTextChanged();
}

std::vector<ScanGroup> SearchFlow::ScanApart(std::u16string_view text) {
  return ScanText(set_, text, {settings_.search.foldKana}, &scanMemory_);
}

SearchFlow::Found SearchFlow::Search(std::u16string_view text) {
  if (composing_) {
    held_.search = true;
    return Found::kNothing;
  }
  const SearchOptions& search = settings_.search;
  const std::u16string word = SearchWord(search.mode, text);
  Found found = Found::kNothing;
  if (!word.empty()) {
    ++generation_;
    counter_.Cancel();
    if (IsPlainPrefixSearch(search.mode, word)) {
      set_.SearchAll(word);
      entries_ = &set_.MergeResults();
      // The prefix search compares as stored: ｒｉｖｅｒ typed in an input
      // method's full-width mode finds river only in its half-width form.
      const std::optional<std::u16string> half = HalfWidthAscii(word);
      if (entries_->empty() && half) {
        set_.SearchAll(*half);
        entries_ = &set_.MergeResults();
      }
      found = Found::kEntries;
    } else if (search.mode == SearchMode::kScan) {
      groups_ = ScanApart(word);
      scanned_ = word;
      found = Found::kGroups;
    } else {
      const SearchRequest request{search.mode, word, search.fields, search.foldKana};
      // The window never waits: a dictionary whose index is still to come finds
      // nothing now, and the index's notice brings the search back.
      hits_ = SearchSet(set_, indexes_, request, IndexWait::kSkip, false);
      totals_.assign(hits_.size(), std::nullopt);
      hitsMarked_ = search.mode != SearchMode::kPrefix;
      CountBeyondLimits(request);
      found = Found::kHits;
    }
    if (FoundAnything(found)) {
      shown_ = {word, search.mode, search.fields};
      SetTimer(ids::kHistoryTimer, kHistoryDelayMs);
    } else {
      KillTimer(ids::kHistoryTimer);
    }
  }
  if (settings_.viewer.conjudelay > 0 && HasInflections(search.mode)) {
    SetTimer(ids::kInflectionSearchTimer, settings_.viewer.conjudelay);
  }
  return found;
}

bool SearchFlow::HasWord(std::u16string_view text) const {
  return !SearchWord(settings_.search.mode, text).empty();
}

uint64_t SearchFlow::MoreHits(size_t i) const {
  const size_t shown = hits_[i].results.hits.size();
  return totals_[i] && *totals_[i] > shown ? *totals_[i] - shown : 0;
}

bool SearchFlow::FoundAnything(Found found) const {
  switch (found) {
    case Found::kEntries:
      return !entries_->empty();
    case Found::kHits:
      return std::any_of(hits_.begin(), hits_.end(),
                         [](const DictionaryHits& d) { return !d.results.hits.empty(); });
    case Found::kGroups:
      return !groups_.empty();
    case Found::kNothing:
      break;
  }
  return false;
}

SearchFlow::Found SearchFlow::SearchInflected(std::u16string_view text) {
  if (composing_) {
    held_.inflection = true;
    return Found::kNothing;
  }
  const std::u16string word = SearchWord(settings_.search.mode, text);
  if (!HasInflections(settings_.search.mode) || word.empty()) return Found::kNothing;
  if (!set_.SearchInflectedAll(word)) {
    const std::optional<std::u16string> half = HalfWidthAscii(word);
    if (!half || !set_.SearchInflectedAll(*half)) return Found::kNothing;
  }
  entries_ = &set_.MergeResults();
  return Found::kEntries;
}

void SearchFlow::CountBeyondLimits(const SearchRequest& request) {
  std::vector<HitCounter::Job> jobs;
  for (size_t i = 0; i < hits_.size(); ++i) {
    const Dictionary& dictionary = *hits_[i].dictionary;
    if (hits_[i].results.hits.size() < ShownLimit(dictionary.settings())) continue;
    jobs.push_back(
        {hits_[i].dictionary, request, dictionary.settings().accent, indexes_.Ready(dictionary), i});
  }
  counter_.Start(generation_, std::move(jobs));
}

SearchFlow::Redraw SearchFlow::OnNotice(int message, intptr_t wParam, intptr_t lParam) {
  if (message == ids::kWmCountNotice) {
    const uint64_t generation = static_cast<uint64_t>(wParam / kSlots);
    const size_t slot = static_cast<size_t>(wParam % kSlots);
    if (generation != generation_ || slot >= totals_.size()) return Redraw::kNothing;
    totals_[slot] = static_cast<uint64_t>(lParam);
    return Redraw::kInPlace;
  }
  if (message != ids::kWmIndexNotice) return Redraw::kNothing;
  indexNotice_ = false;
  for (const DictionaryHits& d : hits_) {
    if (d.results.route != SearchRoute::kIndexPending) continue;
    const TextIndexes::State state = indexes_.StatusOf(*d.dictionary).state;
    if (state == TextIndexes::State::kReady) return Redraw::kSearchAgain;
  }
  return Redraw::kInPlace;
}

std::vector<IndexProgress> SearchFlow::IndexesUnderWay() const {
  std::vector<IndexProgress> under;
  for (size_t i = 0; i < set_.count(); ++i) {
    const Dictionary& dictionary = set_.at(i);
    if (!DictionarySet::InUse(dictionary)) continue;
    const TextIndexes::Status status = indexes_.StatusOf(dictionary);
    if (status.state == TextIndexes::State::kNone) continue;
    if (status.state == TextIndexes::State::kReady && !status.saveError) continue;
    under.push_back({FileName(dictionary.path()), status});
  }
  return under;
}

void SearchFlow::BuildIndexes() {
  for (size_t i = 0; i < set_.count(); ++i) {
    if (DictionarySet::InUse(set_.at(i))) indexes_.Prepare(set_.at(i));
  }
}

void SearchFlow::RemoveIndexes() {
  for (size_t i = 0; i < set_.count(); ++i) {
    indexes_.Cancel(set_.at(i));
    if (indexes_.folder().empty()) continue;
    std::error_code ignored;  // a file that is not there is as good as removed
    std::filesystem::remove(IndexFilePath(indexes_.folder(), set_.at(i).path()), ignored);
  }
}

void SearchFlow::OnReturn(std::u16string_view text) {
  if (host_) host_->PostCommand(ids::kSearch);
  Kept(history_.Add(Typed(text)));
}

std::optional<HistoryEntry> SearchFlow::HistoryBack(std::u16string_view text) {
  return history_.Back({std::u16string(text), settings_.search.mode, settings_.search.fields});
}

SearchOptions SearchFlow::OptionsOf(const HistoryEntry& entry) const {
  SearchOptions options = settings_.search;
  options.mode = entry.mode;
  if (entry.mode == SearchMode::kFullText) options.fields = entry.fields;
  return options;
}

SearchOptions SearchFlow::OptionsToLookUp() const {
  SearchOptions options = settings_.search;
  options.mode = SearchMode::kScan;
  return options;
}

std::optional<std::u16string> SearchFlow::SelectionToLookUp(std::u16string_view selected,
                                                            std::u16string_view text) {
  std::u16string line(FirstLine(selected));
  if (StripSearchWord(line).empty()) return std::nullopt;
  Kept(history_.Leave(Typed(text)));
  return line;
}

HistoryEntry SearchFlow::Typed(std::u16string_view text) const {
  const SearchOptions& search = settings_.search;
  return {SearchWord(search.mode, text), search.mode, search.fields};
}

void SearchFlow::Kept(bool changed) {
  if (changed && host_) host_->HistoryChanged();
}

void SearchFlow::SetTimer(int id, int milliseconds) {
  if (!host_) return;
  host_->SetTimer(id, milliseconds);
  armed_.insert(id);
}

void SearchFlow::KillTimer(int id) {
  if (!host_) return;
  host_->KillTimer(id);
  armed_.erase(id);
}

}  // namespace tavlex
