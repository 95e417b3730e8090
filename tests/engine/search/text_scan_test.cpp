// The look-up of a selected text, case by case on small dictionaries: the
// groups it makes, what each covers, their order, the rules named, and what
// the right-answer sets cannot show (windows that end, chains never undone).
#include "engine/search/text_scan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/utf8.h"
#include "engine/text/japanese_forms.h"
#include "engine/text/scan_window.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

// A group as the test writes it: the start covered, then key (form: rules) of each hit.
struct Expected {
  std::u16string covered;
  std::vector<std::string> hits;
};

std::string Described(const ScanHit& hit) {
  std::string text = Utf16ToUtf8(hit.entry->key) + " (" + Utf16ToUtf8(hit.form) + ":";
  for (const FormRule rule : hit.rules) text += " " + std::string(RuleName(rule));
  return text + ")";
}

class TextScan : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<std::u16string> keys = {u"take",
                                              u"take care",
                                              u"take care of",
                                              u"take ～ into account",
                                              u"turn off",
                                              u"turn",
                                              u"lose one's temper",
                                              u"lose someone's temper",
                                              u"child",
                                              u"big",
                                              u"食べる",
                                              u"勉強",
                                              u"勉強する",
                                              u"カード",
                                              u"行く",
                                              u"Tシャツ"};
    ASSERT_TRUE(set_.Open(
        testing::WriteTestDictionary(dir_, "a.dic", testing::Words(keys), testing::SmallBlocks(3))));
    dicwriter::Options ansi = testing::SmallBlocks(1);  // the index alone tells most spans apart
    ansi.charset = dicwriter::Charset::kAnsi;
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(
        dir_, "b.dic", testing::Words({u"take", u"Take", u"child", u"tab"}), ansi)));
    ASSERT_TRUE(set_.Open(
        testing::WriteTestDictionary(dir_, "irregular.dic", {{u"foobs", u"", 0, u"fib", u"", u""}})));
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "c.dic", testing::Words({u"fib", u"off"}))));
    for (size_t i = 0; i < set_.count(); ++i) set_.at(i).settings().searchMax = 20;
    set_.at(2).settings().irregular = true;
  }

  std::vector<Expected> Scanned(const std::u16string& text, ScanOptions options = {}) {
    std::vector<Expected> groups;
    for (const ScanGroup& group : ScanText(set_, text, options)) {
      Expected& e = groups.emplace_back();
      e.covered = text.substr(group.begin, group.end - group.begin);
      for (const ScanHit& hit : group.hits) e.hits.push_back(Described(hit));
    }
    return groups;
  }

  testing::TempDir dir_;
  DictionarySet set_;
};

void ExpectGroups(const std::vector<Expected>& got, const std::vector<Expected>& expected) {
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(Utf16ToUtf8(got[i].covered), Utf16ToUtf8(expected[i].covered));
    EXPECT_EQ(got[i].hits, expected[i].hits);
  }
}

TEST_F(TextScan, GroupsLongestStartFirst) {
  struct Case {
    std::u16string text;
    std::vector<Expected> groups;
  };
  const Case cases[] = {
      // Each shorter start after the longest; within a start, dictionaries in set order.
      {u"  \"Took care of the children.",
       {{u"Took care of", {"take care of (take care of: past)"}},
        {u"Took care", {"take care (take care: past)"}},
        {u"Took", {"take (take: past)", "Take (take: past)", "take (take: past)"}}}},
      {u"turned the light off, then",
       {{u"turned the light off", {"turn off (turn off: past object)"}}, {u"turned", {"turn (turn: past)"}}}},
      {u"lost his temper",
       {{u"lost his temper",
         {"lose one's temper (lose one's temper: past possessive-pronoun)",
          "lose someone's temper (lose someone's temper: past "
          "possessive-pronoun)"}}}},
      {u"taking it into account",
       {{u"taking it into account", {"take ～ into account (take ～ into account: present-participle slot)"}},
        {u"taking",
         {"take (take: present-participle)", "Take (take: present-participle)",
          "take (take: present-participle)"}}}},
      {u"Children's toys",
       {{u"Children's", {"child (child: plural possessive)", "child (child: plural possessive)"}}}},
      {u"bigger", {{u"bigger", {"big (big: comparative)"}}}},
      {u"foobs", {{u"foobs", {"fib (fib: irregular-form)"}}}},
      {u"食べさせられなかったので",
       {{u"食べさせられなかった", {"食べる (食べる: causative passive negative past)"}}}},
      // The noun made a verb: 勉強する with fewer rules first; 勉強 comes once, in the longer start.
      {u"勉強したので", {{u"勉強した", {"勉強する (勉強する: past)", "勉強 (勉強: suru-noun past)"}}}},
      {u"行ってきます", {{u"行って", {"行く (行く: te)"}}}},
      // An English window that finds nothing is read again by characters when it holds kana.
      {u"Tシャツを着た", {{u"Tシャツ", {"Tシャツ (Tシャツ:)"}}}},
      {u"かーどを", {}},  // kana stay apart without the kana option
      {u"take. care", {{u"take", {"take (take:)", "Take (take:)", "take (take:)"}}}},
      {u"off", {{u"off", {"off (off:)"}}}},
      {u"食べる。勉強", {{u"食べる", {"食べる (食べる:)"}}}},
      {u"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    ExpectGroups(Scanned(c.text), c.groups);
  }
  ExpectGroups(Scanned(u"かーどを", {true}), {{u"かーど", {"カード (かーど:)"}}});
}

TEST_F(TextScan, LimitsAndDictionariesLeftOut) {
  set_.at(1).settings().searchMax = 0;  // still one hit
  set_.at(0).settings().notUsed = true;
  ExpectGroups(Scanned(u"took care"), {{u"took", {"Take (take: past)"}}});
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
    const auto it =
        std::find_if(forms.begin(), forms.end(), [&](const FormCandidate& f) { return f.form == c.form; });
    if (c.rules.empty()) {
      EXPECT_EQ(it, forms.end());
    } else {
      ASSERT_NE(it, forms.end());
      EXPECT_EQ(it->rules, c.rules);
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
