// What the user typed, turned into something that can be matched against
// folded text: a headword pattern with wildcards, or the words and quoted
// phrases of a full-text query.
//
// Headword patterns: `*` is any run of characters (also none), `?` any one
// character; `\*` and `\?` stand for themselves. The mode decides the anchors:
// exact at both ends, prefix at the start, suffix at the end, substring none.
// Full text: words separated by spaces must all occur; a run of text in
// double quotes must occur as it is, spaces included. No wildcards there.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/search/search_request.h"
#include "engine/text/text_folding.h"

namespace tavlex {

// A matched range of folded characters [begin, end).
struct FoldedSpan {
  uint32_t begin = 0;
  uint32_t end = 0;
};

// A headword pattern. Segments lie between the stars; a `?` inside a
// segment is kAnyOne.
class WildcardPattern {
 public:
  static constexpr char32_t kAnyOne = 0xFFFFFFFF;

  WildcardPattern(std::u16string_view text, SearchMode mode, FoldOptions options);

  // True when folded text matches. Spans, if given, receives where: every
  // occurrence for a pattern without stars, else the one matched stretch
  // (empty when the pattern is stars only).
  bool Matches(std::u32string_view text, std::vector<FoldedSpan>* spans) const;

  bool HasWildcards() const { return segments_.size() > 1 || hasAnyOne_; }
  // The text before the first wildcard, as typed (escapes resolved).
  const std::u16string& literalHead() const { return literalHead_; }
  // Runs of literal text, as typed (escapes resolved), between wildcards.
  const std::vector<std::u16string>& literalRuns() const { return literalRuns_; }

 private:
  bool SegmentAt(std::u32string_view text, size_t at, const std::u32string& segment) const;
  size_t FindSegment(std::u32string_view text, size_t from, const std::u32string& segment) const;
  // One segment: every occurrence, or the one place an anchor leaves.
  bool MatchesWithoutStars(std::u32string_view text, std::vector<FoldedSpan>* spans) const;
  // Segments between stars: each at its leftmost place after the one before,
  // the last at the very end when the pattern is anchored there.
  bool MatchesAcrossStars(std::u32string_view text, std::vector<FoldedSpan>* spans) const;
  // Where segment s lies when the one before ends at position; npos when nowhere.
  size_t PlaceOf(std::u32string_view text, size_t s, size_t position) const;

  std::vector<std::u32string> segments_;  // folded
  bool anchoredStart_;
  bool anchoredEnd_;
  bool hasAnyOne_ = false;
  std::u16string literalHead_;
  std::vector<std::u16string> literalRuns_;
};

// True when text holds a wildcard that is not escaped; cheaper than a
// WildcardPattern, which folds its text.
bool HasWildcard(std::u16string_view text);

// The terms of a full-text query, as typed: words, and quoted runs without
// their quotes. Empty quotes and runs of spaces give no term.
std::vector<std::u16string> FullTextTerms(std::u16string_view text);

// Every occurrence of needle in text, non-overlapping, from the left.
void FindAll(std::u32string_view text, std::u32string_view needle, std::vector<FoldedSpan>* spans);

}  // namespace tavlex
