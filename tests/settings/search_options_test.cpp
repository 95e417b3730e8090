// The search settings and the history in sections of their own: defaults,
// names that are not ours, and what saving writes beside the existing keys.
#include "settings/search_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace tavlex {
namespace {

class SearchOptionsTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) {
    std::ofstream(path()) << text;
    ini_.LoadPath(path());
  }
  std::filesystem::path path() const { return dir_.path() / "tavlex.ini"; }
  testing::TempDir dir_;
  IniFile ini_;
};

TEST_F(SearchOptionsTest, DefaultsNamesAndSwitches) {
  struct Case {
    std::string section;
    SearchOptions expected;
  };
  const FieldSet noExample = kChoosableFields & ~FieldBit(SearchField::kExample);
  for (const Case& c : {
           Case{"", SearchOptions{}},
           Case{"mode=fulltext\nexample=0\nkana=1\n", {SearchMode::kFullText, noExample, true}},
           Case{"mode=suffix\nkana=2\n", {SearchMode::kSuffix, kChoosableFields, false}},
           Case{"mode=Fulltext\n", SearchOptions{}},  // names compare exactly
       }) {
    Load("[dictionary]\ndelay=5\n[search]\n" + c.section);
    EXPECT_EQ(LoadSearchOptions(ini_), c.expected) << c.section;
  }
}

TEST_F(SearchOptionsTest, SavingWritesItsOwnSectionOnly) {
  Load("[dictionary]\ndelay=5\n");
  SaveSearchOptions({SearchMode::kSubstring, FieldBit(SearchField::kTranslation), true}, ini_);
  SaveHistory({{u"newest"}, {u"older"}}, ini_);
  ini_.Save();
  std::ostringstream saved;
  saved << std::ifstream(path()).rdbuf();
  EXPECT_EQ(saved.str(),
            "[dictionary]\ndelay=5\n[search]\nmode=substring\nheadword=0\ntranslation=1\nexample=0\n"
            "pronunciation=0\nkana=1\n[history]\n1=newest\n2=older\n");
  ini_.LoadPath(path());
  EXPECT_EQ(LoadSearchOptions(ini_).mode, SearchMode::kSubstring);
}

std::vector<std::u16string> Words(const std::vector<HistoryEntry>& entries) {
  std::vector<std::u16string> words;
  for (const HistoryEntry& entry : entries) words.push_back(entry.word);
  return words;
}

TEST_F(SearchOptionsTest, TheHistoryKeepsAHundredWordsThatReadBackAsTheyAre) {
  Load("[history]\n1=a\n3=c\n4=d\n101=past the end\n");
  EXPECT_EQ(Words(LoadHistory(ini_)), (std::vector<std::u16string>{u"a", u"c", u"d"}));

  // A shorter history empties the keys the longer one left; a word cut by a comment mark is left out.
  SaveHistory({{u"x"}, {u"semi;colon"}, {u"y"}}, ini_);
  EXPECT_EQ(Words(LoadHistory(ini_)), (std::vector<std::u16string>{u"x", u"y"}));

  std::vector<HistoryEntry> many;
  for (int i = 0; i < 120; ++i)
    many.push_back({u"w" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26))});
  SaveHistory(many, ini_);
  EXPECT_EQ(LoadHistory(ini_).size(), kHistoryLength);
}

TEST_F(SearchOptionsTest, HistoryEntriesKeepTheirModesAndOlderFilesReadAsPrefixSearches) {
  const FieldSet examples = FieldBit(SearchField::kExample);
  const FieldSet two = FieldBit(SearchField::kHeadword) | FieldBit(SearchField::kPronunciation);
  struct Case {
    std::string section;
    std::vector<HistoryEntry> expected;
  };
  for (const Case& c : {
           Case{"1=go\n2=run\n", {{u"go"}, {u"run"}}},  // as older files keep it
           Case{"1=go\nmode1=suffix\nfields1=example\n", {{u"go", SearchMode::kSuffix}}},
           Case{"1=go\nmode1=fulltext\n", {{u"go", SearchMode::kFullText}}},
           Case{"1=go\nmode1=fulltext\nfields1=example\n", {{u"go", SearchMode::kFullText, examples}}},
           Case{"1=go\nmode1=fulltext\nfields1=pronunciation,x,headword,display\n",
                {{u"go", SearchMode::kFullText, two}}},
           Case{"1=go\nmode1=fulltext\nfields1=none\n", {{u"go", SearchMode::kFullText, 0}}},
           Case{"1=go\nmode1=Exact\n", {{u"go"}}},  // not a name of ours
           Case{"mode1=exact\n2=run\n", {{u"run"}}},
       }) {
    Load("[history]\n" + c.section);
    EXPECT_EQ(LoadHistory(ini_), c.expected) << c.section;
    // What is saved reads back the same.
    SaveHistory(c.expected, ini_);
    EXPECT_EQ(LoadHistory(ini_), c.expected) << c.section;
  }
}

TEST_F(SearchOptionsTest, AHistoryEntryWritesItsModeOnlyWhereItIsNotThePrefixSearch) {
  Load("[history]\n1=old\nmode1=exact\n2=older\nmode2=fulltext\nfields2=example\n");
  SaveHistory({{u"go"}, {u"bank", SearchMode::kFullText, FieldBit(SearchField::kTranslation)}}, ini_);
  ini_.Save();
  std::ostringstream saved;
  saved << std::ifstream(path()).rdbuf();
  EXPECT_EQ(saved.str(), "[history]\n1=go\nmode1=\n2=bank\nmode2=fulltext\nfields2=translation\n");
}

}  // namespace
}  // namespace tavlex
