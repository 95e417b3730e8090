#include "engine/search/text_scan.h"

#include <algorithm>
#include <memory>
#include <set>
#include <unordered_map>
#include <utility>

#include "engine/search/headword_probe.h"
#include "engine/text/english_forms.h"
#include "engine/text/japanese_forms.h"
#include "engine/text/scan_window.h"

namespace tavlex {
namespace {

// One dictionary in use during one look-up, with what its look-ups keep.
struct Searched {
  Searched(const Dictionary& dictionary, ProbeMemory& kept)
      : probe(dictionary, kept.options, kept.blocks), memory(kept) {
    if (memory.spellings.empty()) memory.spellings.emplace(std::u32string(), probe.Root());
  }

  // The spellings of a folded start, made from the longest start known.
  const HeadwordProbe::Spellings& SpellingsOf(const std::u32string& folded) {
    size_t known = folded.size();
    auto it = memory.spellings.find(folded);
    while (it == memory.spellings.end()) it = memory.spellings.find(folded.substr(0, --known));
    while (known < folded.size()) {
      HeadwordProbe::Spellings next;
      if (!it->second.empty()) next = probe.Extend(it->second, folded[known]);
      it = memory.spellings.emplace(folded.substr(0, ++known), std::move(next)).first;
    }
    return it->second;
  }

  const std::vector<HeadwordProbe::Position>& Equal(const std::u32string& folded) {
    auto it = memory.equal.find(folded);
    if (it == memory.equal.end())
      it = memory.equal.emplace(folded, probe.Equal(SpellingsOf(folded), folded)).first;
    return it->second;
  }

  HeadwordProbe probe;
  ProbeMemory& memory;
};

class Scan {
 public:
  Scan(DictionarySet& set, std::u16string_view text, const ScanOptions& options, ScanMemory& memory)
      : set_(set), text_(text) {
    for (size_t i = 0; i < set.count(); ++i) {
      const Dictionary& dictionary = set.at(i);
      if (!DictionarySet::InUse(dictionary)) continue;
      const FoldOptions folding{options.foldKana, dictionary.settings().accent};
      searched_.push_back(std::make_unique<Searched>(dictionary, memory.Of(dictionary, folding)));
    }
  }

  std::vector<ScanGroup> Run() {
    if (searched_.empty()) return {};
    if (ReadsByWords(text_)) {
      const ScanWindow window = WordWindow(text_);
      ByWords(window);
      if (!groups_.empty() || window.pieces.empty()) return std::move(groups_);
      const auto& first = window.pieces.front();
      if (!HasOtherScript(text_.substr(first.first, first.second - first.first))) return std::move(groups_);
    }
    ByCharacters(CharacterWindow(text_));
    return std::move(groups_);
  }

 private:
  // Some dictionary has a key that begins with a spelling of start.
  bool Continues(std::u16string_view start) {
    for (const auto& searched : searched_) {
      if (!searched->SpellingsOf(FoldedChars(start, searched->probe.options())).empty()) return true;
    }
    return false;
  }

  void ByWords(const ScanWindow& window) {
    std::vector<std::u16string_view> words;
    for (const auto& [begin, end] : window.pieces) words.push_back(text_.substr(begin, end - begin));
    std::vector<std::vector<FormCandidate>> byLength(words.size());
    PhraseRules rules;
    rules.continues = [this](std::u16string_view start) { return Continues(start); };
    rules.irregularBase = [this](const std::u16string& word) { return set_.IrregularBaseForm(word); };
    EnglishPhraseForms(words, rules, [&](PhraseForm&& form) {
      byLength[form.words - 1].push_back(std::move(form.candidate));
    });
    for (size_t n = words.size(); n > 0; --n)
      AddGroup(window.begin, window.pieces[n - 1].second, byLength[n - 1]);
  }

  void ByCharacters(const ScanWindow& window) {
    for (size_t n = window.pieces.size(); n > 0; --n) {
      const uint32_t end = window.pieces[n - 1].second;
      AddGroup(window.begin, end, JapaneseDictionaryForms(text_.substr(window.begin, end - window.begin)));
    }
  }

  // The hits of one start, ranked: fewer rules, then the set's order, then the dictionary's.
  void AddGroup(uint32_t begin, uint32_t end, std::vector<FormCandidate> candidates) {
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const FormCandidate& a, const FormCandidate& b) { return a.rules.size() < b.rules.size(); });
    ScanGroup group{begin, end, {}};
    std::vector<size_t> taken(searched_.size(), 0);
    for (size_t level = 0; level < candidates.size();) {
      size_t levelEnd = level;
      while (levelEnd < candidates.size() &&
             candidates[levelEnd].rules.size() == candidates[level].rules.size()) {
        ++levelEnd;
      }
      for (size_t d = 0; d < searched_.size(); ++d) AddHits(d, candidates, level, levelEnd, taken[d], group);
      level = levelEnd;
    }
    if (!group.hits.empty()) groups_.push_back(std::move(group));
  }

  // The hits in dictionary d of candidates [from, to), which undo as many rules each.
  void AddHits(size_t d, const std::vector<FormCandidate>& candidates, size_t from, size_t to, size_t& taken,
               ScanGroup& group) {
    Searched& searched = *searched_[d];
    const size_t limit = ShownLimit(searched.probe.dictionary().settings());
    std::vector<std::pair<HeadwordProbe::Position, size_t>> found;
    for (size_t c = from; c < to; ++c) {
      for (const HeadwordProbe::Position& position :
           searched.Equal(FoldedChars(candidates[c].form, searched.probe.options()))) {
        found.emplace_back(position, c);
      }
    }
    std::sort(found.begin(), found.end());
    for (const auto& [position, c] : found) {
      if (taken >= limit) return;
      if (!seen_.emplace(d, position).second) continue;
      EntryRef entry = searched.probe.EntryAt(position);
      if (!entry) continue;
      group.hits.push_back({std::move(entry), candidates[c].form, candidates[c].rules});
      ++taken;
    }
  }

  DictionarySet& set_;
  const std::u16string_view text_;
  std::vector<std::unique_ptr<Searched>> searched_;
  std::set<std::pair<size_t, HeadwordProbe::Position>> seen_;
  std::vector<ScanGroup> groups_;
};

}  // namespace

ProbeMemory& ScanMemory::Of(const Dictionary& dictionary, FoldOptions options) {
  std::erase_if(kept_, [&](const Kept& k) {
    const std::shared_ptr<const Dictionary> d = k.dictionary.lock();
    return !d || (d.get() == &dictionary && !(k.memory->options == options));
  });
  for (const Kept& k : kept_) {
    if (k.dictionary.lock().get() != &dictionary) continue;
    if (k.memory->spellings.size() > kStartsKept) {
      k.memory->spellings.clear();
      k.memory->equal.clear();
    }
    return *k.memory;
  }
  kept_.push_back({dictionary.weak_from_this(), std::make_unique<ProbeMemory>(options)});
  return *kept_.back().memory;
}

std::vector<ScanGroup> ScanText(DictionarySet& set, std::u16string_view text, const ScanOptions& options,
                                ScanMemory* memory) {
  ScanMemory forOneLookUp;
  return Scan(set, text, options, memory ? *memory : forOneLookUp).Run();
}

}  // namespace tavlex
