// The inflection search: lower case, base forms, endings and respelling, and
// the plain result restored when every fallback fails.
#include <gtest/gtest.h>

#include "engine/dictionary_set.h"
#include "engine/text/spelling.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

class Inflection : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto english =
        testing::Words({u"apple", u"build", u"café", u"cat", u"cloak", u"clock", u"close", u"go", u"naive",
                        u"Paris", u"walk", u"walk home", u"walker", u"zebra", u"\u0130x"});
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "english.dic", english)));
    std::vector<dicwriter::Record> irregular = {{u"went", u"", 0, u"go", u"", u""},
                                                {u"mice", u"", 0, u"mouse", u"", u""}};
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "irregular.dic", irregular)));
    english_().settings().english = true;
    english_().settings().searchMax = 30;
    irregular_().settings().irregular = true;
  }
  Dictionary& english_() { return set_.at(0); }
  Dictionary& irregular_() { return set_.at(1); }
  std::vector<std::u16string> Keys() {
    std::vector<std::u16string> keys;
    for (const EntryRef& entry : english_().results()) keys.push_back(entry->key);
    return keys;
  }
  using Keys_ = std::vector<std::u16string>;

  testing::TempDir dir_;
  DictionarySet set_;
};

TEST_F(Inflection, OffOrExactLeavesThePlainResult) {
  english_().Search(u"zeb");
  english_().settings().english = false;
  EXPECT_FALSE(english_().SearchInflected(u"Apple"));
  EXPECT_EQ(Keys(), Keys_{u"zebra"});  // untouched

  english_().settings().english = true;
  EXPECT_FALSE(english_().SearchInflected(u"cat"));
  EXPECT_EQ(Keys(), Keys_{u"cat"});
}

TEST_F(Inflection, LowerCase) {
  EXPECT_TRUE(english_().SearchInflected(u"Apple"));
  EXPECT_EQ(Keys(), Keys_{u"apple"});
}

TEST_F(Inflection, EndingsAndIrregularForms) {
  english_().settings().englishConjugation = true;
  EXPECT_TRUE(english_().SearchInflected(u"walked"));
  EXPECT_EQ(Keys().front(), u"walk");
  EXPECT_TRUE(english_().SearchInflected(u"buildings"));  // s, then ing
  EXPECT_EQ(Keys(), Keys_{u"build"});
  EXPECT_TRUE(english_().SearchInflected(u"closed"));  // ed, and no s after it: not "clo"
  EXPECT_EQ(Keys(), Keys_{u"close"});
  EXPECT_TRUE(english_().SearchInflected(u"went"));
  EXPECT_EQ(Keys(), Keys_{u"go"});
  EXPECT_TRUE(english_().SearchInflected(u"walked\thome"));
  EXPECT_EQ(Keys(), Keys_{u"walk home"});

  // A word that is only the ending becomes empty: the empty query lists from the start.
  english_().settings().searchMax = 2;
  EXPECT_TRUE(english_().SearchInflected(u"s"));
  EXPECT_EQ(Keys(), (Keys_{u"Paris", u"apple"}));

  // Without the flag, endings stay.
  english_().settings().englishConjugation = false;
  EXPECT_FALSE(english_().SearchInflected(u"builds"));
}

TEST_F(Inflection, IrregularSourceMustBeInUse) {
  irregular_().settings().notUsed = true;
  EXPECT_EQ(set_.IrregularBaseForm(u"went"), u"");
  EXPECT_FALSE(english_().SearchInflected(u"went"));
  irregular_().settings().notUsed = false;
  EXPECT_EQ(set_.IrregularBaseForm(u"went"), u"go");
  EXPECT_TRUE(set_.IrregularHasPrefix(u"mi"));
}

TEST_F(Inflection, Respelling) {
  english_().settings().accent = true;
  EXPECT_TRUE(english_().SearchInflected(u"cafe"));
  EXPECT_EQ(Keys(), Keys_{u"café"});
  english_().settings().accent = false;
  EXPECT_FALSE(english_().SearchInflected(u"cafe"));  // no accents without the flag
  EXPECT_TRUE(english_().SearchInflected(u"paris"));
  EXPECT_EQ(Keys(), Keys_{u"Paris"});
  EXPECT_EQ(english_().ExpandSpelling(u"xyz", false, true), u"xyz");
  EXPECT_EQ(english_().ExpandSpelling(u"pa", false, false), u"Pa");
}

TEST_F(Inflection, AccentsComeOffWhenNothingElseFinds) {
  english_().settings().accent = true;
  for (const std::u16string query : {u"naïve", u"NAÏVE", u"nai\u0308ve"}) {
    EXPECT_TRUE(english_().SearchInflected(query));
    EXPECT_EQ(Keys(), Keys_{u"naive"});
  }
  english_().settings().accent = false;
  EXPECT_FALSE(english_().SearchInflected(u"naïve"));
  EXPECT_TRUE(english_().results().empty());
}

TEST_F(Inflection, EveryFallbackFailingRestoresThePlainResult) {
  english_().settings().englishConjugation = true;
  english_().settings().accent = true;
  // Lower case (walkeRX) and the phrase (walkerx) find nothing; the plain
  // search of the query itself found nothing either, and is run again.
  EXPECT_FALSE(english_().SearchInflected(u"WalkeRX"));
  EXPECT_TRUE(english_().results().empty());

  // İ lowers to i and a combining dot, which nothing begins with, and no
  // respelling of that leads back: the plain result (İx) is searched again.
  EXPECT_FALSE(english_().SearchInflected(u"\u0130"));
  EXPECT_EQ(Keys(), Keys_{u"\u0130x"});
}

TEST(Spelling, AlternativesAndEndings) {
  EXPECT_EQ(AlternativesOf(u'a', false), (std::vector<char16_t>{u'a', u'A'}));
  EXPECT_EQ(AlternativesOf(u'y', true).size(), 7u);
  EXPECT_EQ(AlternativesOf(u's', true), (std::vector<char16_t>{u's', u'S', u'\u00DF'}));
  EXPECT_EQ(AlternativesOf(u'A', true), std::vector<char16_t>{u'A'});  // upper case gets no accents
  EXPECT_EQ(AlternativesOf(u'\u3042', true), std::vector<char16_t>{u'\u3042'});
  EXPECT_EQ(EndsWith(u"walked", u"ed"), 4);
  EXPECT_EQ(EndsWith(u"ed", u"ed"), 0);
  EXPECT_EQ(EndsWith(u"d", u"ed"), -1);
  EXPECT_EQ(LowerCase(u"ÀPPLE İ"), u"àpple i\u0307");
  EXPECT_EQ(RemoveAccents(u"Çà e\u0301 ø 한국"), u"Ca e ø 한국");
}

}  // namespace
}  // namespace tavlex
