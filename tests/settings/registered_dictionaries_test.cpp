// The registered dictionaries over a settings image: opening the list, the
// refusals of a registration and their order, the limit of nine, storing and
// removing, and the dictionary choice with its check marks.
#include "settings/registered_dictionaries.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/utf8.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

using Refusal = RegisteredDictionaries::Refusal;

class RegisteredDictionariesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.dic", "b.dic", "c.dic"}) {
      paths_.push_back(testing::WriteTestDictionary(dir_, name, testing::Words({u"word"})));
    }
  }
  // Loads a settings file of these lines and opens its list.
  std::vector<RegisteredDictionaries::LeftOut> Open(const std::string& text) {
    return Open(text, registered_);
  }
  std::vector<RegisteredDictionaries::LeftOut> Open(const std::string& text,
                                                    RegisteredDictionaries& registered) {
    std::ofstream(dir_.path() / "tavlex.ini") << text;
    ini_.LoadPath(dir_.path() / "tavlex.ini");
    return registered.OpenListed();
  }
  std::string ListOf(const std::vector<std::u16string>& paths) const {
    std::string list = "[dictionary]\n";
    for (size_t i = 0; i < paths.size(); ++i)
      list += "dic" + std::to_string(i + 1) + "=" + Utf8(paths[i]) + "\n";
    return list;
  }
  std::u16string Listed(size_t n) const {
    return ini_.GetString(u"dictionary", u"dic" + Utf8ToUtf16(std::to_string(n)));
  }
  std::vector<std::u16string> Paths() const {
    std::vector<std::u16string> paths;
    for (size_t i = 0; i < registered_.set().count(); ++i) paths.push_back(registered_.set().at(i).path());
    return paths;
  }
  static std::string Utf8(const std::u16string& s) { return std::filesystem::path(s).string(); }

  testing::TempDir dir_;
  std::vector<std::u16string> paths_;
  IniFile ini_;
  RegisteredDictionaries registered_{ini_};
};

TEST_F(RegisteredDictionariesTest, TheListOpensAsTheViewerOpensItAndWhatIsLeftOutIsTold) {
  const std::u16string bracketed = testing::WriteTestDictionary(dir_, "x]y.dic", testing::Words({u"w"}));
  const std::u16string gone = dir_.File("gone.dic");
  // A gap, a path the file cannot hold, a file that is gone, the same path twice.
  const auto leftOut = Open("[dictionary]\ndic1=\ndic2=" + Utf8(paths_[1]) + "\ndic3=" + Utf8(bracketed) +
                            "\ndic4=" + Utf8(gone) + "\ndic5=" + Utf8(paths_[1]) +
                            "\ndic9=" + Utf8(paths_[0]) + "\n[" + Utf8(paths_[0]) + "]\nsearchmax=5\n");
  EXPECT_EQ(Paths(), (std::vector<std::u16string>{paths_[1], paths_[0]}));
  EXPECT_EQ(leftOut, (std::vector<RegisteredDictionaries::LeftOut>{{bracketed, Refusal::kPathNotStorable},
                                                                   {gone, Refusal::kNotADictionary}}));
  EXPECT_EQ(registered_.set().at(1).settings().searchMax, 5);
  EXPECT_EQ(registered_.set().at(0).settings().searchMax, 30);
  EXPECT_EQ(Listed(2), paths_[1]);  // nothing is written by opening
}

TEST_F(RegisteredDictionariesTest, RefusalsChangeNothingAndComeInTheirOrder) {
  const std::u16string bracketed = testing::WriteTestDictionary(dir_, "x]y.dic", testing::Words({u"w"}));
  const std::u16string junk = dir_.File("junk.dic");
  std::ofstream(std::filesystem::path(junk)) << "not a dictionary";
  std::vector<std::u16string> nine = paths_;
  for (int n = 4; n <= 9; ++n) {
    nine.push_back(
        testing::WriteTestDictionary(dir_, "d" + std::to_string(n) + ".dic", testing::Words({u"w"})));
  }
  const std::u16string tenth = testing::WriteTestDictionary(dir_, "d10.dic", testing::Words({u"w"}));

  struct Case {
    size_t registered;
    std::u16string path;
    Refusal refusal;
  };
  for (const Case& c : std::vector<Case>{
           {2, junk, Refusal::kNotADictionary},
           {2, dir_.File("missing.dic"), Refusal::kNotADictionary},
           {2, bracketed, Refusal::kPathNotStorable},
           {2, paths_[1], Refusal::kNone},             // registered already: accepted as it stands
           {9, bracketed, Refusal::kPathNotStorable},  // the path is looked at before the list
           {9, junk, Refusal::kListFull},              // the list before the file
           {9, tenth, Refusal::kListFull},
           {9, nine[8], Refusal::kNone},
       }) {
    SCOPED_TRACE(Utf8(c.path) + " with " + std::to_string(c.registered) + " registered");
    RegisteredDictionaries registered(ini_);
    Open(ListOf({nine.begin(), nine.begin() + static_cast<ptrdiff_t>(c.registered)}), registered);
    EXPECT_EQ(registered.CanRegister(), c.registered < 9);
    EXPECT_EQ(registered.Register(c.path), c.refusal);
    EXPECT_EQ(registered.set().count(), c.registered);
    EXPECT_EQ(Listed(c.registered + 1), u"");
  }
}

TEST_F(RegisteredDictionariesTest, RegisteringWritesTheListAndUndoesAChoiceSinceTheLastStore) {
  Open(ListOf({paths_[0]}) + "[" + Utf8(paths_[1]) + "]\nsearchmax=7\n");
  registered_.set().at(0).settings().notUsed = true;  // chosen from the menu, not stored
  EXPECT_EQ(registered_.Register(paths_[1]), Refusal::kNone);
  EXPECT_EQ(Listed(1), paths_[0]);
  EXPECT_EQ(Listed(2), paths_[1]);
  EXPECT_EQ(Listed(3), u"");
  EXPECT_FALSE(registered_.set().at(0).settings().notUsed);
  EXPECT_EQ(registered_.set().at(1).settings().searchMax, 7);  // an old section comes back
}

TEST_F(RegisteredDictionariesTest, StoringWritesEveryDictionaryAndRemovalKeepsTheSection) {
  Open(ListOf(paths_));
  Dictionary& second = registered_.set().at(1);
  second.FetchBlock(0, false);
  DictionarySettings settings = second.settings();
  settings.cacheSize = 0;
  settings.searchMax = 5;
  settings.dicName = u"英和";
  registered_.Store(1, settings);
  EXPECT_EQ(second.settings(), settings);
  EXPECT_EQ(second.cache().size(), 0u);  // the cache size went through SetCacheSize
  EXPECT_EQ(ini_.GetString(paths_[1], u"DicName"), u"英和");
  EXPECT_EQ(ini_.GetString(paths_[2], u"searchmax"), u"30");

  registered_.Remove(0);
  EXPECT_EQ(Listed(1), paths_[1]);
  EXPECT_EQ(Listed(2), paths_[2]);
  EXPECT_EQ(Listed(3), u"");
  EXPECT_EQ(ini_.GetString(paths_[0], u"searchmax"), u"30");  // the section stays
  EXPECT_TRUE(registered_.CanRegister());
}

TEST_F(RegisteredDictionariesTest, TheChoiceAndItsCheckMarks) {
  Open(ListOf(paths_) + "[" + Utf8(paths_[1]) + "]\nirreg=1\n[" + Utf8(paths_[2]) + "]\nnotuse=1\n");
  const auto notUsed = [this] {
    std::vector<bool> flags;
    for (size_t i = 0; i < 3; ++i) flags.push_back(registered_.set().at(i).settings().notUsed);
    return flags;
  };
  const auto checked = [this] {
    std::vector<bool> marks;
    for (size_t k = 0; k <= 3; ++k) marks.push_back(registered_.ChoiceChecked(k));
    return marks;
  };
  // The third turned off in its settings: each dictionary in use is checked,
  // not "all" (the irregular one has no item to carry its mark).
  EXPECT_EQ(checked(), (std::vector<bool>{true, true, false, false}));
  registered_.Choose(2);
  EXPECT_EQ(notUsed(), (std::vector<bool>{true, false, false}));  // the irregular one keeps its flag
  EXPECT_EQ(checked(), (std::vector<bool>{false, true, true, false}));
  for (const size_t all : {size_t{3}, size_t{20}}) {
    registered_.Choose(0);
    registered_.Choose(all);
    EXPECT_EQ(notUsed(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, false, true}));
  }
}

}  // namespace
}  // namespace tavlex
