// The dictionary set: opening, the order of merging, dictionaries not in use,
// irregular-forms dictionaries, removal.
#include "engine/dictionary_set.h"

#include <gtest/gtest.h>

#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

using Texts = std::vector<std::u16string>;

class DictionarySetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a", "b", "c"}) {
      const std::u16string tag(name, name + 1);
      paths_.push_back(testing::WriteTestDictionary(dir_, std::string(name) + ".dic",
                                                    {{u"go", u"", 0, tag, u"", u""},
                                                     {u"gone", u"", 0, tag, u"", u""},
                                                     {u"went", u"", 0, u"go" + tag, u"", u""}}));
      ASSERT_TRUE(set_.Open(paths_.back()));
    }
  }
  // Which dictionary each merged entry came from.
  Texts Merged() {
    Texts tags;
    for (const EntryRef& entry : set_.MergeResults()) tags.push_back(entry->translation);
    return tags;
  }

  testing::TempDir dir_;
  Texts paths_;
  DictionarySet set_;
};

TEST_F(DictionarySetTest, OpenOnceAndRefusalsLeaveTheSetAlone) {
  EXPECT_TRUE(set_.Open(paths_[0]));
  EXPECT_EQ(set_.count(), 3u);
  EXPECT_FALSE(set_.Open(dir_.File("missing.dic")));
  EXPECT_EQ(set_.count(), 3u);
  EXPECT_THROW(set_.at(3), std::out_of_range);
  EXPECT_THROW(set_.RemoveAt(3), std::out_of_range);
}

TEST_F(DictionarySetTest, MergesInSetOrderSkippingDictionariesNotInUse) {
  set_.at(1).settings().notUsed = true;
  set_.SearchAll(u"go");
  EXPECT_EQ(Merged(), (Texts{u"a", u"a", u"c", u"c"}));
  EXPECT_TRUE(set_.at(1).results().empty());  // never searched
}

TEST_F(DictionarySetTest, IrregularDictionariesAnswerButAreNotSearched) {
  set_.at(0).settings().irregular = true;
  set_.at(2).settings().irregular = true;
  set_.SearchAll(u"go");
  EXPECT_EQ(Merged(), (Texts{u"b", u"b"}));
  EXPECT_EQ(set_.IrregularBaseForm(u"went"), u"goa");  // the earlier one wins
  set_.at(0).settings().notUsed = true;
  EXPECT_EQ(set_.IrregularBaseForm(u"went"), u"goc");
  EXPECT_EQ(set_.IrregularBaseForm(u"gon"), u"");
  EXPECT_TRUE(set_.IrregularHasPrefix(u"gon"));
  EXPECT_FALSE(set_.IrregularHasPrefix(u"x"));
}

TEST_F(DictionarySetTest, ADictionaryMadeIrregularDropsItsOldResults) {
  set_.SearchAll(u"go");
  set_.at(0).settings().irregular = true;
  set_.at(1).settings().notUsed = true;
  set_.SearchAll(u"gone");
  EXPECT_EQ(Merged(), (Texts{u"c"}));
}

TEST_F(DictionarySetTest, InflectedSearchAsksEveryDictionaryInUse) {
  set_.at(2).settings().english = true;
  EXPECT_TRUE(set_.SearchInflectedAll(u"GONE"));  // only the last one succeeds
  EXPECT_EQ(Merged(), (Texts{u"c"}));
}

TEST_F(DictionarySetTest, RemoveAtClosesTheGap) {
  set_.RemoveAt(1);
  ASSERT_EQ(set_.count(), 2u);
  EXPECT_EQ(set_.at(0).path(), paths_[0]);
  EXPECT_EQ(set_.at(1).path(), paths_[2]);
}

TEST(EmptyDictionarySet, SearchesNothing) {
  DictionarySet set;
  set.SearchAll(u"a");
  EXPECT_FALSE(set.SearchInflectedAll(u"a"));
  EXPECT_TRUE(set.MergeResults().empty());
  EXPECT_EQ(set.IrregularBaseForm(u"a"), u"");
}

}  // namespace
}  // namespace tavlex
