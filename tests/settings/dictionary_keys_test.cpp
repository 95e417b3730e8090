// The dictionary keys: defaults, booleans, the list and its compaction, the
// paths the file can hold. Opening, registering and removing are in
// registered_dictionaries_test.cpp.
#include "settings/dictionary_keys.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

class DictionaryKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.dic", "b.dic", "c.dic"}) {
      paths_.push_back(testing::WriteTestDictionary(dir_, name, testing::Words({u"word"})));
    }
  }
  // Loads an ini file with these lines.
  void LoadIni(const std::string& text) {
    const auto path = dir_.path() / "tavlex.ini";
    std::ofstream(path) << text;
    ini_.LoadPath(path);
  }
  static std::string Utf8(const std::u16string& s) { return std::filesystem::path(s).string(); }

  testing::TempDir dir_;
  std::vector<std::u16string> paths_;
  IniFile ini_;
  DictionarySet set_;
};

TEST_F(DictionaryKeys, DefaultsForAnEmptySection) {
  LoadIni("[dictionary]\ndic1=" + Utf8(paths_[0]) + "\n");
  ASSERT_TRUE(set_.Open(paths_[0]));
  LoadDictionarySettings(set_, ini_);
  DictionarySettings expected;
  expected.searchMax = 30;
  EXPECT_EQ(set_.at(0).settings(), expected);
}

TEST_F(DictionaryKeys, ReadAndWrittenInPlace) {
  const std::string section = "[" + Utf8(paths_[0]) + "]\n";
  LoadIni(
      "[dictionary]\ndic1=" + Utf8(paths_[0]) + "\n" + section +
      "cachesize=2\nsearchmax=5\nenglish=-1\nnotuse=0\nIndexFont=IPAGothic\nTransSize=14\nDicName=英和\n");
  ASSERT_TRUE(set_.Open(paths_[0]));
  Dictionary& dictionary = set_.at(0);
  dictionary.FetchBlock(0, false);
  LoadDictionarySettings(set_, ini_);
  const DictionarySettings& s = dictionary.settings();
  EXPECT_EQ(s.cacheSize, 2);
  EXPECT_EQ(s.searchMax, 5);
  EXPECT_TRUE(s.english);
  EXPECT_FALSE(s.notUsed);
  EXPECT_EQ(s.indexFont, u"IPAGothic");
  EXPECT_EQ(s.transSize, 14);
  EXPECT_EQ(s.dicName, u"英和");

  dictionary.SetCacheSize(0);
  EXPECT_EQ(dictionary.cache().size(), 0u);
  dictionary.SetCacheSize(2);
  SaveDictionarySettings(set_, ini_);
  EXPECT_EQ(ini_.GetString(dictionary.path(), u"english"), u"1");
  EXPECT_EQ(ini_.GetString(dictionary.path(), u"accent"), u"0");
  EXPECT_EQ(ini_.GetString(dictionary.path(), u"SampleFont"), u"");
  EXPECT_EQ(ini_.GetString(dictionary.path(), u"DicName"), u"英和");

  // Another load brings back what was saved, whatever changed in memory since.
  dictionary.settings().notUsed = true;
  LoadDictionarySettings(set_, ini_);
  EXPECT_FALSE(dictionary.settings().notUsed);
  EXPECT_TRUE(dictionary.settings().english);
}

TEST_F(DictionaryKeys, TheListSkipsGapsAndIsWrittenCompact) {
  LoadIni("[dictionary]\ndic1=\ndic2=" + Utf8(paths_[1]) + "\ndic4=" + Utf8(dir_.File("gone.dic")) +
          "\ndic9=" + Utf8(paths_[0]) + "\n");
  EXPECT_EQ(ListedDictionaryPaths(ini_),
            (std::vector<std::u16string>{paths_[1], dir_.File("gone.dic"), paths_[0]}));
  SaveDictionaryList({paths_[1], paths_[0]}, ini_);
  EXPECT_EQ(ini_.GetString(u"dictionary", u"dic1"), paths_[1]);
  EXPECT_EQ(ini_.GetString(u"dictionary", u"dic2"), paths_[0]);
  for (int n = 3; n <= 9; ++n) {
    EXPECT_EQ(ini_.GetString(u"dictionary", u"dic" + std::u16string(1, static_cast<char16_t>(u'0' + n))),
              u"");
  }
}

TEST_F(DictionaryKeys, PathsTheFileCannotHold) {
  for (const std::u16string path : {u"/home/u/a]b.dic", u"/home/u/a;b.dic", u"/home/u/a\nb.dic",
                                    u"/home/u/a\rb.dic", u"/home/u/ab.dic ", u"\t/ab.dic", u""}) {
    EXPECT_FALSE(SettingsCanHoldPath(path)) << Utf8(path);
  }
  for (const std::u16string path : {u"/home/u/[英和 a=b.dic", u"/home/u/#.dic"}) {
    EXPECT_TRUE(SettingsCanHoldPath(path)) << Utf8(path);
  }
}

}  // namespace
}  // namespace tavlex
