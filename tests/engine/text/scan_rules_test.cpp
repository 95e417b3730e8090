// The rules that undo inflections and the window they read, where the
// right-answer sets cannot tell: chains the grammar does not allow, spellings
// that must not be undone, and the window's ends.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/utf8.h"
#include "engine/text/english_forms.h"
#include "engine/text/japanese_forms.h"
#include "engine/text/scan_window.h"

namespace tavlex {
namespace {

const FormCandidate* FormIn(const std::vector<FormCandidate>& forms, const std::u16string& form) {
  const auto it =
      std::find_if(forms.begin(), forms.end(), [&](const FormCandidate& f) { return f.form == form; });
  return it == forms.end() ? nullptr : &*it;
}

TEST(EnglishForms, WordsUndoneByTheirSpelling) {
  struct Case {
    std::u16string word;
    std::u16string form;
    std::vector<FormRule> rules;  // empty: the form must not come at all
  };
  using R = FormRule;
  const Case cases[] = {
      {u"stopped", u"stop", {R::kPast}},
      {u"carried", u"carry", {R::kPast}},
      {u"baked", u"bake", {R::kPast}},
      {u"lying", u"lie", {R::kIng}},
      {u"running", u"run", {R::kIng}},
      {u"making", u"make", {R::kIng}},
      {u"happiest", u"happy", {R::kSuperlative}},
      {u"bigger", u"big", {R::kComparative}},
      {u"boxes", u"box", {R::kPlural}},
      {u"cities", u"city", {R::kPlural}},
      {u"Went", u"go", {R::kPast}},
      {u"children's", u"child", {R::kPlural, R::kPossessive}},
      {u"teachers\u2019", u"teacher", {R::kPlural, R::kPossessive}},
      {u"glass", u"glas", {}},
      {u"is", u"i", {}},  // too short a stem
      {u"seeing", u"se", {}},
      {u"hopped", u"hop", {R::kPast}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.word));
    const std::vector<FormCandidate> forms = EnglishWordForms(c.word);
    EXPECT_EQ(forms.front().form, c.word);
    const FormCandidate* found = FormIn(forms, c.form);
    if (c.rules.empty()) {
      EXPECT_EQ(found, nullptr);
    } else {
      ASSERT_NE(found, nullptr);
      EXPECT_EQ(found->rules, c.rules);
    }
  }
}

TEST(JapaneseForms, ChainsOnlyInTheGrammarsOrder) {
  struct Case {
    std::u16string text;
    std::u16string form;
    std::vector<FormRule> rules;  // empty: the form must not come at all
  };
  using R = FormRule;
  const Case cases[] = {
      {u"食べさせられなかった", u"食べる", {R::kCausative, R::kPassive, R::kNegative, R::kPast}},
      {u"書かされていました", u"書く", {R::kCausativePassive, R::kTe, R::kProgressive, R::kPolite, R::kPast}},
      {u"食べませんでした", u"食べる", {R::kPolite, R::kNegative, R::kPast}},
      {u"美しくなかった", u"美しい", {R::kNegative, R::kPast}},
      {u"来なかった", u"来る", {R::kNegative, R::kPast}},
      {u"こられる", u"くる", {R::kPassive}},
      {u"死んだ", u"死ぬ", {R::kPast}},
      {u"食べたます", u"食べる", {}},      // past, then polite
      {u"食べられさせる", u"食べる", {}},  // passive, then causative
      {u"書かないます", u"書く", {}},      // negative, then polite
      {u"行きて", u"行く", {}},            // 行く's te form is 行って
      {u"美しいかった", u"美しい", {}},
      {u"かない", u"かる", {}},  // a 一段 stem ends in the i or e row
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    const std::vector<FormCandidate> forms = JapaneseDictionaryForms(c.text);
    const FormCandidate* found = FormIn(forms, c.form);
    if (c.rules.empty()) {
      EXPECT_EQ(found, nullptr);
    } else {
      ASSERT_NE(found, nullptr);
      EXPECT_EQ(found->rules, c.rules);
    }
  }
}

TEST(ScanWindow, EndsAndPieces) {
  const auto pieces = [](const ScanWindow& w, std::u16string_view text) {
    std::vector<std::u16string> out;
    for (const auto& [begin, end] : w.pieces) out.emplace_back(text.substr(begin, end - begin));
    return out;
  };
  using V = std::vector<std::u16string>;
  const std::u16string nine = u"a b c d e f g h i";
  EXPECT_EQ(pieces(WordWindow(nine), nine), (V{u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h"}));
  const std::u16string comma = u"(don't stop, me now";
  EXPECT_EQ(pieces(WordWindow(comma), comma), (V{u"don't", u"stop"}));
  const std::u16string line = u"one two\r\nthree";
  EXPECT_EQ(pieces(WordWindow(line), line), (V{u"one", u"two"}));
  const std::u16string marks = u"か\u3099き！く";  // a combining voicing mark stays with its kana
  EXPECT_EQ(pieces(CharacterWindow(marks), marks), (V{u"か\u3099", u"き"}));
  const std::u16string long_(30, u'あ');
  EXPECT_EQ(CharacterWindow(long_).pieces.size(), kMostScanCharacters);
  EXPECT_EQ(CharacterWindow(u"\u3000「あ").begin, 1u);  // 「 is no character the search box strips
  EXPECT_TRUE(ReadsByWords(u"  Élan"));
  EXPECT_FALSE(ReadsByWords(u"食べる"));
}

}  // namespace
}  // namespace tavlex
