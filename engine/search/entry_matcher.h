// EntryMatcher: decides whether a decoded entry is a hit for a search in one
// of the modes, and where in the entry's text the query matched.
//
// Headword modes look at the key (what the sorted index orders); where an
// entry also has a display form and the pattern matches it too, that is
// reported as well, so a display can mark the form it shows. Full text looks
// at the chosen fields; the headword field means the key and the display form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/entry.h"
#include "engine/entry_fields.h"
#include "engine/search/search_pattern.h"
#include "engine/search/search_request.h"
#include "engine/text/text_folding.h"

namespace tavlex {

// Where a query matched: UTF-16 offsets [begin, end) in the field's text.
struct FieldMatch {
  SearchField field = SearchField::kHeadword;
  uint32_t begin = 0;
  uint32_t end = 0;

  bool operator==(const FieldMatch&) const = default;
};

class EntryMatcher {
 public:
  // accents: the dictionary's accent setting.
  EntryMatcher(const SearchRequest& request, bool accents);

  // True when entry is a hit. matches, if given, receives every place the
  // query matched, field by field, in text order.
  bool Matches(const Entry& entry, std::vector<FieldMatch>* matches);

  // The grams that every block holding a hit holds (widest folding). Empty
  // when the query narrows nothing.
  std::vector<uint64_t> RequiredGrams() const;

  // The gram whose entry count in a full-text index is what this matcher
  // would count (GramCounts), where there is one: a full-text query of one
  // term in every field, or a substring of headwords without wildcards, of
  // one to three indexed characters that the matcher's folding turns into
  // the gram (the widest folding's form of them).
  struct IndexCount {
    enum class Folding {
      kWidest,      // the matcher folds as the index does: its count
      kNarrowest,   // the matcher folds neither kana nor accents: the narrow count
      kWhereEqual,  // a folding in between: either count, where both are the same
    };
    uint64_t gram = 0;
    bool headwordsOnly = false;  // count the entries holding it in the headword
    Folding folding = Folding::kWidest;
  };
  std::optional<IndexCount> CountedByIndex() const;

  // The terms as words (engine/index/text_words.h), where the word postings
  // of a full-text index count what this matcher would: a full-text query
  // in every field whose every term the matcher folds into word characters
  // only. foldsAccents: the count holds only where folding accents changes
  // no word of the dictionary (TextIndex::accentsKeepWords).
  struct WordCount {
    std::vector<std::string> terms;
    bool foldsAccents = false;
  };
  std::optional<WordCount> CountedByWords() const;

  // Headword modes only: the pattern.
  const std::optional<WildcardPattern>& pattern() const { return pattern_; }
  const FoldOptions& options() const { return options_; }

 private:
  bool MatchesHeadword(const Entry& entry, std::vector<FieldMatch>* matches);
  bool MatchesFullText(const Entry& entry, std::vector<FieldMatch>* matches);
  // The folded text of one field of the entry being matched, folded once.
  const FoldedText& Folded(const Entry& entry, SearchField field);
  static void AddMatches(SearchField field, const FoldedText& text, const std::vector<FoldedSpan>& spans,
                         std::vector<FieldMatch>* matches);

  SearchMode mode_;
  FoldOptions options_;
  FieldSet fields_;
  std::optional<WildcardPattern> pattern_;
  std::vector<std::u16string> terms_;  // full text, as typed
  std::vector<std::u32string> foldedTerms_;
  // Scratch for one entry at a time: which fields are folded already.
  const Entry* foldedEntry_ = nullptr;
  FieldSet foldedFields_ = 0;
  FoldedText folded_[kSearchFieldCount];
  std::vector<FoldedSpan> spans_;
};

}  // namespace tavlex
