// The look-up of a selected text, case by case on small dictionaries: the
// groups it makes, what each covers, their order, the rules named, and what
// the right-answer sets cannot show (windows that end, chains never undone).
#include "engine/search/text_scan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/utf8.h"
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

TEST_F(TextScan, MemoryKeptGivesWhatAFreshLookUpGives) {
  // Spellings found under one folding must not serve another, nor outlive their dictionary.
  const std::u16string texts[] = {u"かーどを", u"took care of", u"カードを", u"食べなかった", u"took care"};
  ScanMemory memory;
  for (int round = 0; round < 3; ++round) {
    for (const bool kana : {false, true, false}) {
      for (const std::u16string& text : texts) {
        SCOPED_TRACE(Utf16ToUtf8(text) + (kana ? " kana" : ""));
        const auto fresh = ScanText(set_, text, {kana});
        const auto kept = ScanText(set_, text, {kana}, &memory);
        ASSERT_EQ(kept.size(), fresh.size());
        for (size_t g = 0; g < kept.size(); ++g) {
          EXPECT_EQ(kept[g].end, fresh[g].end);
          ASSERT_EQ(kept[g].hits.size(), fresh[g].hits.size());
          for (size_t h = 0; h < kept[g].hits.size(); ++h) {
            EXPECT_EQ(Described(kept[g].hits[h]), Described(fresh[g].hits[h]));
            EXPECT_EQ(kept[g].hits[h].entry->translation, fresh[g].hits[h].entry->translation);
          }
        }
      }
    }
    // The first dictionary closed and another opened in its place, perhaps at the same address.
    set_.RemoveAt(0);
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "d" + std::to_string(round) + ".dic",
                                                       testing::Words({u"take care of", u"カード"}))));
  }
}

}  // namespace
}  // namespace tavlex
