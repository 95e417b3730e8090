#include "engine/search/search_pattern.h"

#include <algorithm>

namespace tavlex {
namespace {

constexpr char16_t kAnyRun = u'*';
constexpr char16_t kOneChar = u'?';
constexpr char16_t kEscape = u'\\';
constexpr std::u16string_view kTermSeparators = u" \t\u3000";
constexpr std::u16string_view kQuotes = u"\"\uFF02";

bool IsQuote(char16_t c) { return kQuotes.find(c) != std::u16string_view::npos; }
bool IsSeparator(char16_t c) { return kTermSeparators.find(c) != std::u16string_view::npos; }

// Notes the folded range [begin, end) in spans, if given, unless it is empty.
void Mark(std::vector<FoldedSpan>* spans, size_t begin, size_t end) {
  if (spans && end > begin) spans->push_back({static_cast<uint32_t>(begin), static_cast<uint32_t>(end)});
}

}  // namespace

WildcardPattern::WildcardPattern(std::u16string_view text, SearchMode mode, FoldOptions options)
    : anchoredStart_(mode == SearchMode::kExact || mode == SearchMode::kPrefix),
      anchoredEnd_(mode == SearchMode::kExact || mode == SearchMode::kSuffix) {
  segments_.emplace_back();
  std::u16string literal;
  bool headDone = false;
  // Folds the literal text gathered so far into the current segment.
  const auto flush = [&] {
    if (literal.empty()) return;
    segments_.back() += FoldedChars(literal, options);
    literalRuns_.push_back(literal);
    literal.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == kEscape && i + 1 < text.size() && (text[i + 1] == kAnyRun || text[i + 1] == kOneChar)) {
      c = text[++i];
    } else if (c == kAnyRun || c == kOneChar) {
      flush();
      headDone = true;
      if (c == kAnyRun) {
        segments_.emplace_back();
      } else {
        segments_.back().push_back(kAnyOne);
        hasAnyOne_ = true;
      }
      continue;
    }
    literal.push_back(c);
    if (!headDone) literalHead_.push_back(c);
  }
  flush();
}

bool WildcardPattern::SegmentAt(std::u32string_view text, size_t at, const std::u32string& segment) const {
  if (at > text.size() || text.size() - at < segment.size()) return false;
  for (size_t i = 0; i < segment.size(); ++i) {
    if (segment[i] != kAnyOne && segment[i] != text[at + i]) return false;
  }
  return true;
}

size_t WildcardPattern::FindSegment(std::u32string_view text, size_t from,
                                    const std::u32string& segment) const {
  if (!hasAnyOne_) return text.find(segment, from);
  for (size_t at = from; at + segment.size() <= text.size(); ++at) {
    if (SegmentAt(text, at, segment)) return at;
  }
  return std::u32string_view::npos;
}

bool WildcardPattern::Matches(std::u32string_view text, std::vector<FoldedSpan>* spans) const {
  return segments_.size() == 1 ? MatchesWithoutStars(text, spans) : MatchesAcrossStars(text, spans);
}

bool WildcardPattern::MatchesWithoutStars(std::u32string_view text, std::vector<FoldedSpan>* spans) const {
  const std::u32string& only = segments_[0];
  const size_t n = text.size();
  const size_t length = only.size();
  if (anchoredStart_ || anchoredEnd_) {
    // The one place the segment can lie.
    if (n < length || (anchoredStart_ && anchoredEnd_ && n != length)) return false;
    const size_t at = anchoredStart_ ? 0 : n - length;
    if (!SegmentAt(text, at, only)) return false;
    Mark(spans, at, at + length);
    return true;
  }
  if (length == 0) return true;
  size_t at = FindSegment(text, 0, only);
  if (at == std::u32string_view::npos) return false;
  for (; at != std::u32string_view::npos; at = FindSegment(text, at + length, only))
    Mark(spans, at, at + length);
  return true;
}

size_t WildcardPattern::PlaceOf(std::u32string_view text, size_t s, size_t position) const {
  const std::u32string& segment = segments_[s];
  if (s == 0 && anchoredStart_) return SegmentAt(text, 0, segment) ? 0 : std::u32string_view::npos;
  if (s + 1 == segments_.size() && anchoredEnd_) {
    if (text.size() < segment.size() || text.size() - segment.size() < position)
      return std::u32string_view::npos;
    const size_t at = text.size() - segment.size();
    return SegmentAt(text, at, segment) ? at : std::u32string_view::npos;
  }
  return FindSegment(text, position, segment);
}

bool WildcardPattern::MatchesAcrossStars(std::u32string_view text, std::vector<FoldedSpan>* spans) const {
  size_t position = 0;
  size_t first = std::u32string_view::npos;  // where the first non-empty segment lies
  size_t lastEnd = 0;
  for (size_t s = 0; s < segments_.size(); ++s) {
    const size_t at = PlaceOf(text, s, position);
    if (at == std::u32string_view::npos) return false;
    const size_t length = segments_[s].size();
    if (length > 0) {
      if (first == std::u32string_view::npos) first = at;
      lastEnd = at + length;
    }
    position = at + length;
  }
  if (first != std::u32string_view::npos) Mark(spans, first, lastEnd);
  return true;
}

bool HasWildcard(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kEscape && i + 1 < text.size() && (text[i + 1] == kAnyRun || text[i + 1] == kOneChar)) {
      ++i;
    } else if (text[i] == kAnyRun || text[i] == kOneChar) {
      return true;
    }
  }
  return false;
}

std::vector<std::u16string> FullTextTerms(std::u16string_view text) {
  std::vector<std::u16string> terms;
  std::u16string term;
  bool quoted = false;
  const auto finish = [&] {
    if (!term.empty()) terms.push_back(std::move(term));
    term.clear();
  };
  for (const char16_t c : text) {
    if (IsQuote(c)) {
      finish();
      quoted = !quoted;
    } else if (!quoted && IsSeparator(c)) {
      finish();
    } else {
      term.push_back(c);
    }
  }
  finish();
  // A quoted run of spaces only is no term.
  std::erase_if(terms, [](const std::u16string& t) {
    return std::all_of(t.begin(), t.end(), [](char16_t c) { return IsSeparator(c); });
  });
  return terms;
}

void FindAll(std::u32string_view text, std::u32string_view needle, std::vector<FoldedSpan>* spans) {
  if (needle.empty()) return;
  for (size_t at = text.find(needle); at != std::u32string_view::npos;
       at = text.find(needle, at + needle.size())) {
    spans->push_back({static_cast<uint32_t>(at), static_cast<uint32_t>(at + needle.size())});
  }
}

}  // namespace tavlex
