// tavlex-lookup --keep as a user runs it: the entry printed first goes into
// the word book under $XDG_DATA_HOME, once, with the word it was looked up
// from; a word book that cannot be written is named with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "base/utf8.h"
#include "tests/tools/tool_fixture.h"
#include "wordbook/word_book.h"

namespace tavlex::testing {
namespace {

constexpr std::string_view kWords =
    "apple\t\tりんご\t/ˈæpəl/\tAn apple a day.\n"
    "apply\t\t申し込む\n"
    "cafe\tcafé\t喫茶店\n";

// What a kept entry is expected to hold, written out by hand.
struct Expected {
  std::u16string headword;
  std::u16string translation;
  std::u16string pronunciation;
  std::u16string example;
  std::u16string source;
  size_t coveredEnd = std::u16string::npos;  // the whole source when npos
};

class LookupKeep : public ToolTest {
 protected:
  LookupKeep() { ::setenv("XDG_DATA_HOME", dir_.path().c_str(), 1); }
  ~LookupKeep() override { ::unsetenv("XDG_DATA_HOME"); }

  std::vector<wordbook::KeptEntry> Kept() const {
    wordbook::WordBook book(book_);
    return book.Entries();
  }

  const std::string book_ = PathOf("tavlex/wordbook.sqlite");
};

TEST_F(LookupKeep, KeepsTheEntryPrintedFirstOnce) {
  const std::string dic = Dictionary("words", kWords);
  struct Case {
    Args args;
    int status;
    std::string err;
    std::vector<Expected> kept;  // newest first, after this run
  };
  const std::string name = " (words.dic)";
  const Expected apple{u"apple", u"りんご", u"/ˈæpəl/", u"An apple a day.", u"ap"};
  const Expected cafe{u"café", u"喫茶店", u"", u"", u"喫茶店"};
  const Expected apply{u"apply", u"申し込む", u"", u"", u"applied for it", 7};
  const std::vector<Case> cases = {
      {{"zebra"}, 1, "", {}},
      // The first of two entries and two words; the display form as the headword.
      {{"ap", "cafe"}, 0, "tavlex-lookup: kept apple" + name + " in " + book_ + "\n", {apple}},
      {{"apple"}, 0, "tavlex-lookup: apple" + name + " is kept already in " + book_ + "\n", {apple}},
      {{"--json", "--mode", "fulltext", "喫茶店"},
       0,
       "tavlex-lookup: kept café" + name + " in " + book_ + "\n",
       {cafe, apple}},
      // A scan keeps the form it found, with the part of the text it covers.
      {{"--mode", "scan", "applied", "for", "it"},
       0,
       "tavlex-lookup: kept apply" + name + " in " + book_ + "\n",
       {apply, cafe, apple}},
  };
  for (const Case& c : cases) {
    Args args{"--keep", "--dic", dic};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProgramResult result = Lookup(args);
    EXPECT_EQ(result.status, c.status) << c.args[0];
    EXPECT_EQ(result.err, c.err);
    // What is printed does not change.
    Args plain(args.begin() + 1, args.end());
    EXPECT_EQ(result.out, Lookup(plain).out);

    const std::vector<wordbook::KeptEntry> kept = Kept();
    ASSERT_EQ(kept.size(), c.kept.size()) << c.args[0];
    for (size_t i = 0; i < kept.size(); ++i) {
      EXPECT_EQ(kept[i].headword, c.kept[i].headword);
      EXPECT_EQ(kept[i].translation, c.kept[i].translation);
      EXPECT_EQ(kept[i].pronunciation, c.kept[i].pronunciation);
      EXPECT_EQ(kept[i].example, c.kept[i].example);
      EXPECT_EQ(kept[i].sourceText, c.kept[i].source);
      EXPECT_EQ(kept[i].coveredBegin, 0u);
      EXPECT_EQ(kept[i].coveredEnd, std::min(c.kept[i].coveredEnd, c.kept[i].source.size()));
      EXPECT_EQ(kept[i].dictionaryName, u"words.dic");
      EXPECT_EQ(kept[i].dictionaryPath, Utf8ToUtf16(dic));
    }
  }
}

TEST_F(LookupKeep, NothingFoundOrNoKeepMakesNoWordBook) {
  const std::string dic = Dictionary("words", kWords);
  EXPECT_EQ(Lookup({"--keep", "--dic", dic, "zebra"}).status, 1);
  EXPECT_EQ(Lookup({"--dic", dic, "apple"}).status, 0);
  EXPECT_FALSE(std::filesystem::exists(book_));
}

TEST_F(LookupKeep, AWordBookThatCannotBeWrittenIsNamedAndLeftAsItIs) {
  const std::string dic = Dictionary("words", kWords);
  const std::string foreign(4096, 'x');
  Write("tavlex/wordbook.sqlite", foreign);
  const ProgramResult result = Lookup({"--keep", "--dic", dic, "apply"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "apply\n申し込む\n") << "the entry is printed all the same";
  EXPECT_EQ(result.err, "tavlex-lookup: cannot keep apply (words.dic): " + book_ +
                            ": not a word book (file is not a database); the file is left as it is\n");
  EXPECT_EQ(Read(book_), foreign);
}

}  // namespace
}  // namespace tavlex::testing
