#include "engine/search/entry_matcher.h"

#include <algorithm>

#include "engine/index/text_grams.h"
#include "engine/index/text_words.h"

namespace tavlex {

EntryMatcher::EntryMatcher(const SearchRequest& request, bool accents)
    : mode_(request.mode), options_{request.foldKana, accents}, fields_(request.fields) {
  if (request.mode == SearchMode::kFullText) {
    if (fields_ & FieldBit(SearchField::kHeadword)) fields_ |= FieldBit(SearchField::kDisplay);
    terms_ = FullTextTerms(request.text);
    for (const std::u16string& term : terms_) foldedTerms_.push_back(FoldedChars(term, options_));
  } else {
    pattern_.emplace(request.text, request.mode, options_);
  }
}

std::vector<uint64_t> EntryMatcher::RequiredGrams() const {
  std::vector<uint64_t> grams;
  for (const std::u16string& run : pattern_ ? pattern_->literalRuns() : terms_) {
    AppendQueryGrams(FoldedChars(run, kWidestFolding), grams);
  }
  return grams;
}

std::optional<EntryMatcher::IndexCount> EntryMatcher::CountedByIndex() const {
  const std::u16string* text = nullptr;
  if (mode_ == SearchMode::kFullText && fields_ == kAllFields && terms_.size() == 1) text = &terms_[0];
  if (mode_ == SearchMode::kSubstring && !pattern_->HasWildcards() && pattern_->literalRuns().size() == 1)
    text = &pattern_->literalRuns()[0];
  if (!text) return std::nullopt;
  const std::u32string folded = FoldedChars(*text, kWidestFolding);
  if (folded.empty() || folded.size() > kLongestGram ||
      !std::all_of(folded.begin(), folded.end(), IsIndexedChar))
    return std::nullopt;
  using Folding = IndexCount::Folding;
  Folding folding = Folding::kWidest;
  if (options_ != kWidestFolding) {
    // The index counts the gram's own characters besides: the query must be them.
    if (FoldedChars(*text, options_) != folded) return std::nullopt;
    folding = options_ == FoldOptions{} ? Folding::kNarrowest : Folding::kWhereEqual;
  }
  std::vector<uint64_t> grams;
  AppendQueryGrams(folded, grams);
  return IndexCount{grams.front(), mode_ != SearchMode::kFullText, folding};
}

std::optional<EntryMatcher::WordCount> EntryMatcher::CountedByWords() const {
  if (mode_ != SearchMode::kFullText || fields_ != kAllFields || foldedTerms_.empty()) return std::nullopt;
  WordCount count{{}, options_.accents};
  for (const std::u32string& term : foldedTerms_) {
    if (!IsWord(term)) return std::nullopt;
    count.terms.emplace_back(term.begin(), term.end());  // word characters are ASCII
  }
  return count;
}

const FoldedText& EntryMatcher::Folded(const Entry& entry, SearchField field) {
  if (foldedEntry_ != &entry) {
    foldedEntry_ = &entry;
    foldedFields_ = 0;
  }
  FoldedText& text = folded_[static_cast<size_t>(field)];
  if (!(foldedFields_ & FieldBit(field))) {
    FoldText(FieldText(entry, field), options_, text);
    foldedFields_ |= FieldBit(field);
  }
  return text;
}

void EntryMatcher::AddMatches(SearchField field, const FoldedText& text, const std::vector<FoldedSpan>& spans,
                              std::vector<FieldMatch>* matches) {
  for (const FoldedSpan& span : spans) {
    matches->push_back({field, text.SourceBegin(span.begin), text.SourceEnd(span.end)});
  }
}

bool EntryMatcher::Matches(const Entry& entry, std::vector<FieldMatch>* matches) {
  foldedEntry_ = nullptr;  // the same address may hold another entry by now
  return pattern_ ? MatchesHeadword(entry, matches) : MatchesFullText(entry, matches);
}

bool EntryMatcher::MatchesHeadword(const Entry& entry, std::vector<FieldMatch>* matches) {
  spans_.clear();
  const FoldedText& key = Folded(entry, SearchField::kHeadword);
  if (!pattern_->Matches(key.chars, matches ? &spans_ : nullptr)) return false;
  if (!matches) return true;
  AddMatches(SearchField::kHeadword, key, spans_, matches);
  if (!entry.display.empty()) {
    spans_.clear();
    const FoldedText& display = Folded(entry, SearchField::kDisplay);
    if (pattern_->Matches(display.chars, &spans_))
      AddMatches(SearchField::kDisplay, display, spans_, matches);
  }
  return true;
}

bool EntryMatcher::MatchesFullText(const Entry& entry, std::vector<FieldMatch>* matches) {
  for (const std::u32string& term : foldedTerms_) {
    bool found = false;
    for (size_t f = 0; f < kSearchFieldCount && !found; ++f) {
      const auto field = static_cast<SearchField>(f);
      if (fields_ & FieldBit(field)) found = Folded(entry, field).chars.find(term) != std::u32string::npos;
    }
    if (!found) return false;
  }
  if (!matches) return true;
  for (size_t f = 0; f < kSearchFieldCount; ++f) {
    const auto field = static_cast<SearchField>(f);
    if (!(fields_ & FieldBit(field))) continue;
    spans_.clear();
    const FoldedText& text = Folded(entry, field);
    for (const std::u32string& term : foldedTerms_) FindAll(text.chars, term, &spans_);
    std::sort(spans_.begin(), spans_.end(),
              [](const FoldedSpan& a, const FoldedSpan& b) { return a.begin < b.begin; });
    AddMatches(field, text, spans_, matches);
  }
  return true;
}

}  // namespace tavlex
