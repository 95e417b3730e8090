// The matching rules of the search modes, case by case: what folds together,
// what stays apart, and where a match lies in the text as stored.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/search/entry_matcher.h"
#include "engine/text/text_folding.h"

namespace tavlex {
namespace {

struct Case {
  std::u16string text;
  std::u16string query;
  SearchMode mode;
  bool kana;
  bool accents;
  bool matches;
  std::vector<std::pair<uint32_t, uint32_t>> spans;
};

TEST(MatchingRules, FoldAndMark) {
  using M = SearchMode;
  const Case cases[] = {
      {u"Apple pie", u"aPPLE", M::kSubstring, false, false, true, {{0, 5}}},
      {u"\uFF21\uFF22\uFF23", u"abc", M::kSubstring, false, false, true, {{0, 3}}},  // ＡＢＣ
      {u"x abc", u"\uFF41\uFF42", M::kSubstring, false, false, true, {{2, 4}}},
      {u"\uFF76\uFF9E\uFF77\uFF9E", u"\u30AC\u30AE", M::kSubstring, false, false, true, {{0, 4}}},  // ｶﾞｷﾞ /
                                                                                                    // ガギ
      {u"\u30AC\u30AE", u"\uFF76\uFF9E", M::kSubstring, false, false, true, {{0, 1}}},
      {u"\u304B\u3099", u"\u304C", M::kSubstring, false, false, true, {{0, 2}}},   // か + combining mark
      {u"\u304B\u304D", u"\u30AB\u30AD", M::kSubstring, false, false, false, {}},  // かき / カキ
      {u"\u304B\u304D", u"\u30AB\u30AD", M::kSubstring, true, false, true, {{0, 2}}},
      {u"\u3042\u304C\u308B", u"\u3042\u304B\u308B", M::kSubstring, true, true, false, {}},  // あがる /
                                                                                             // あかる
      {u"\uFF76", u"\uFF76\uFF9E", M::kSubstring, false, false, false, {}},
      {u"caf\u00E9", u"cafe", M::kSubstring, false, false, false, {}},
      {u"caf\u00E9", u"CAFE", M::kSubstring, false, true, true, {{0, 4}}},
      {u"CAF\u00C9", u"caf\u00E9", M::kSubstring, false, false, true, {{0, 4}}},
      {u"Stra\u00DFe", u"STRASSE", M::kSubstring, false, false, false, {}},  // simple folding keeps ß
      {u"Stra\u00DFe", u"strase", M::kSubstring, false, true, true, {{0, 6}}},
      {u"\U0001D400x", u"X", M::kSubstring, false, false, true, {{2, 3}}},  // offsets count UTF-16 units
      {u"abab", u"ab", M::kSubstring, false, false, true, {{0, 2}, {2, 4}}},
      {u"Apple", u"apple", M::kExact, false, false, true, {{0, 5}}},
      {u"Apples", u"apple", M::kExact, false, false, false, {}},
      {u"Apples", u"APP*", M::kPrefix, false, false, true, {{0, 3}}},
      {u"biology", u"OLOGY", M::kSuffix, false, false, true, {{2, 7}}},
      {u"biology", u"bio", M::kSuffix, false, false, false, {}},
      {u"abcde", u"a?c*e", M::kExact, false, false, true, {{0, 5}}},
      {u"abcde", u"a?c", M::kExact, false, false, false, {}},
      {u"xabcdex", u"b*d", M::kSubstring, false, false, true, {{2, 5}}},
      {u"a*b", u"a\\*b", M::kExact, false, false, true, {{0, 3}}},
      {u"axb", u"a\\*b", M::kExact, false, false, false, {}},
      {u"a?", u"A\\?", M::kExact, false, false, true, {{0, 2}}},
      {u"anything", u"*", M::kExact, false, false, true, {}},  // nothing to mark
      {u"", u"*", M::kSubstring, false, false, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.query.begin(), c.query.end()));
    SearchRequest request{c.mode, c.query, kAllFields, c.kana};
    EntryMatcher matcher(request, c.accents);
    Entry entry;
    entry.key = c.text;
    std::vector<FieldMatch> matches;
    const bool matched = matcher.Matches(entry, &matches);
    std::vector<std::pair<uint32_t, uint32_t>> spans;
    for (const FieldMatch& match : matches) spans.emplace_back(match.begin, match.end);
    EXPECT_EQ(matched, c.matches);
    EXPECT_EQ(spans, c.spans);
    EXPECT_EQ(HasWildcard(c.query), WildcardPattern(c.query, c.mode, {}).HasWildcards());
  }
}

TEST(MatchingRules, FullTextWordsAndPhrases) {
  EXPECT_EQ(FullTextTerms(u" take \"into  account\"\u3000\u8F9E\u66F8 \"\" \" \""),
            (std::vector<std::u16string>{u"take", u"into  account", u"\u8F9E\u66F8"}));
  Entry entry;
  entry.key = u"account";
  entry.translation = u"take into\r\naccount";
  entry.example = u"Into account, take!";
  SearchRequest request{SearchMode::kFullText, u"take account", kAllFields, false};
  std::vector<FieldMatch> matches;
  ASSERT_TRUE(EntryMatcher(request, false).Matches(entry, &matches));
  EXPECT_EQ(matches, (std::vector<FieldMatch>{{SearchField::kHeadword, 0, 7},
                                              {SearchField::kTranslation, 0, 4},
                                              {SearchField::kTranslation, 11, 18},
                                              {SearchField::kExample, 5, 12},
                                              {SearchField::kExample, 14, 18}}));
  // A phrase does not run across a line break; words may lie in different fields.
  request.text = u"\"into account\"";
  EXPECT_TRUE(EntryMatcher(request, false).Matches(entry, nullptr));
  request.fields = FieldBit(SearchField::kTranslation);
  EXPECT_FALSE(EntryMatcher(request, false).Matches(entry, nullptr));
  request.text = u"take account";
  EXPECT_TRUE(EntryMatcher(request, false).Matches(entry, nullptr));
}

TEST(MatchingRules, UnfoldedFormsAreEverySpelling) {
  const auto has = [](const std::vector<std::u16string>& forms, std::initializer_list<std::u16string> some) {
    return std::all_of(some.begin(), some.end(), [&](const std::u16string& f) {
      return std::find(forms.begin(), forms.end(), f) != forms.end();
    });
  };
  const std::vector<std::u16string> a = UnfoldedForms(U'a', {});
  EXPECT_TRUE(has(a, {u"a", u"A", u"\uFF41", u"\uFF21"}));
  EXPECT_FALSE(has(a, {u"\u00E0"}));
  EXPECT_TRUE(has(UnfoldedForms(U'a', {false, true}), {u"\u00E0", u"\u00C0", u"\u00E6"}));
  EXPECT_TRUE(has(UnfoldedForms(U'k', {}), {u"\u212A"}));  // the Kelvin sign
  EXPECT_TRUE(has(UnfoldedForms(U'\u304C', {true, false}),
                  {u"\u304C", u"\u30AC", u"\u304B\u3099", u"\uFF76\uFF9E", u"\u30AB\u3099"}));
  EXPECT_FALSE(has(UnfoldedForms(U'\u304C', {}), {u"\u30AC"}));
  for (const std::u16string& form : UnfoldedForms(U'\u304C', {true, true})) {
    EXPECT_EQ(FoldedChars(form, {true, true}), U"\u304C");
  }
}

}  // namespace
}  // namespace tavlex
