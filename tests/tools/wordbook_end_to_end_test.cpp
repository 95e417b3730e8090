// tavlex-wordbook as a user runs it on a word book the viewer filled: what
// list, show, remove and export print, and a failure naming the file and why.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/tools/tool_fixture.h"
#include "tests/wordbook/kept_samples.h"
#include "wordbook/word_book.h"

namespace tavlex::testing {
namespace {

// 2026-12-09 05:03 UTC, and a day later.
constexpr int64_t kTime = 1'796'792'607'000;
constexpr int64_t kDay = 86'400'000;

class WordBookEndToEnd : public ToolTest {
 protected:
  WordBookEndToEnd() {
    ::setenv("TZ", "UTC", 1);
    wordbook::WordBook book(db_);
    book.Keep(Kept({.headword = u"take care of",
                    .translation = u"世話をする\r\n大事にする",
                    .source = u"She took care of it.",
                    .begin = 4,
                    .end = 16,
                    .keptAt = kTime,
                    .pronunciation = u"/teɪk/"}));
    book.Keep(
        Kept({.headword = u"go", .translation = u"行く", .keptAt = kTime + kDay, .example = u"Let's go."}));
  }
  ~WordBookEndToEnd() override { ::unsetenv("TZ"); }

  ProgramResult Run(Args args) const {
    args.insert(args.begin(), {"--db", db_});
    return RunProgram(TAVLEX_WORDBOOK_PROGRAM, args);
  }

  std::string db_ = PathOf("wordbook.sqlite");
};

TEST_F(WordBookEndToEnd, ListsShowsExportsAndRemovesEntriesByTheirNumbers) {
  const ProgramResult list = Run({"list"});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, Lines({"2\t2026-12-10 05:03\tgo\t行く\tEnglish",
                             "1\t2026-12-09 05:03\ttake care of\t世話をする\tEnglish"}));
  EXPECT_EQ(Run({"list", "--since", "2026-12-10"}).out, Lines({"2\t2026-12-10 05:03\tgo\t行く\tEnglish"}));
  EXPECT_EQ(Run({"show", "1", "2"}).out,
            Lines({"[1] 2026-12-09 05:03, English (/dic/english.dic)", "take care of", "/teɪk/", "世話をする",
                   "大事にする", "looked up in: She [took care of] it.", "",
                   "[2] 2026-12-10 05:03, English (/dic/english.dic)", "go", "行く", "Let's go."}));

  const ProgramResult exported = Run({"export", "--format", "csv", "--out", PathOf("words.csv"), "2"});
  EXPECT_EQ(exported.out, "1 entry written to " + PathOf("words.csv") + "\n");
  EXPECT_EQ(Read(PathOf("words.csv")).substr(Read(PathOf("words.csv")).find("\r\n") + 2),
            "2,2026-12-10T05:03:27Z,/dic/english.dic,English,go,,行く,Let's go.,,0,0\r\n");
  EXPECT_TRUE(
      Run({"export", "--deck", "英語"})
          .out.starts_with("#separator:tab\n#html:true\n#notetype:Basic\n#deck:英語\n#tags:tavlex\n"));

  const ProgramResult removed = Run({"remove", "2", "5"});
  EXPECT_EQ(removed.status, 1);
  EXPECT_EQ(removed.out, "removed 2: go\n");
  EXPECT_EQ(removed.err, "tavlex-wordbook: no entry 5 in " + db_ + "\n");
  EXPECT_EQ(Run({"list"}).out, Lines({"1\t2026-12-09 05:03\ttake care of\t世話をする\tEnglish"}));
}

TEST_F(WordBookEndToEnd, AFailureNamesTheFileAndItsReason) {
  const std::string foreign = Write("notes.sqlite", std::string(4096, 'x'));
  const ProgramResult result = RunProgram(TAVLEX_WORDBOOK_PROGRAM, {"--db", foreign, "list"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "tavlex-wordbook: " + foreign +
                            ": not a word book (file is not a database); the file is left as it is\n");
  const ProgramResult empty = RunProgram(TAVLEX_WORDBOOK_PROGRAM, {"--db", PathOf("none.sqlite"), "list"});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.err, "tavlex-wordbook: no entries in " + PathOf("none.sqlite") + "\n");
  EXPECT_FALSE(std::filesystem::exists(PathOf("none.sqlite"))) << "reading makes no file";
  const ProgramResult unwritten = Run({"export", "--out", PathOf("none/words.txt")});
  EXPECT_EQ(unwritten.status, 2);
  EXPECT_EQ(unwritten.err,
            "tavlex-wordbook: " + PathOf("none/words.txt") + ": cannot write: No such file or directory\n");
  EXPECT_EQ(Run({"show"}).status, 2);
  EXPECT_EQ(Run({"--version"}).out, std::string("tavlex-wordbook ") + TAVLEX_PROJECT_VERSION + "\n");
}

}  // namespace
}  // namespace tavlex::testing
