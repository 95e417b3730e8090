// tavlex-mkdic as a new user runs it: the layouts and versions it writes,
// read back with tavlex-lookup, and the input it refuses without writing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/unprivileged.h"
#include "tests/tools/tool_fixture.h"

namespace tavlex::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class MkdicEndToEnd : public ToolTest {};

TEST_F(MkdicEndToEnd, EveryLayoutAndVersionReadsBack) {
  // Pronunciations in the ANSI layout are code page 1252, so "ï" and no IPA.
  const std::string tsv =
      "辞書\t\t1. dictionary\\n2. lexicon\tjisho\tIt is a dictionary.\nnaive\t\t世間知らず\tnaïve\n";
  const std::vector<Args> layouts = {{},
                                     {"--ansi"},
                                     {"--format-version", "4"},
                                     {"--format-version=5", "--block-size=512"},
                                     {"--ansi", "--format-version", "4"}};
  for (const Args& layout : layouts) {
    SCOPED_TRACE(::testing::PrintToString(layout));
    const std::string dic = Dictionary("layout", tsv, layout);
    const ProgramResult result = Lookup({"--json", "--dic", dic, "辞書", "naive"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              JsonLine(dic, R"("query":"辞書","key":"辞書","display":"","attributes":16,)"
                            R"("translation":"1. dictionary\r\n2. lexicon","pronunciation":"jisho",)"
                            R"("example":"It is a dictionary.")") +
                  JsonLine(dic, R"("query":"naive","key":"naive","display":"","attributes":16,)"
                                R"("translation":"世間知らず","pronunciation":"naïve","example":"")"));
  }
}

TEST_F(MkdicEndToEnd, SortsAsTheSearchExpectsAndSetsTheAttributeByte) {
  const std::string dic = Dictionary("sorted", "b\t\tB\nab\t\tAB\na\t\tA\n", {"--attributes", "0x41"});
  const ProgramResult result = Lookup({"--json", "--dic", dic, "a"});
  EXPECT_EQ(result.status, 0);
  EXPECT_THAT(result.out, StartsWith(R"({"dictionary":")" + dic +
                                     R"(","query":"a","key":"a","display":"","attributes":65,)"));
  EXPECT_THAT(result.out, HasSubstr(R"("key":"ab")"));
  EXPECT_EQ(Lookup({"--dic", dic, "b"}).out, "b\nB\n");
}

TEST_F(MkdicEndToEnd, BadLinesAreReportedByNumberAndNothingIsWritten) {
  const std::string input = Write("input.tsv",
                                  "good\t\tfine\n"
                                  "two\tcolumns\n"
                                  "\n"
                                  "escape\t\t\\x\n");
  const std::string output = Write("kept.dic", "the old file");
  const ProgramResult result = Mkdic({input, output});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_THAT(result.err, StartsWith("tavlex-mkdic: " + input + ":2: expected key, display, translation"));
  EXPECT_THAT(result.err, HasSubstr("\ntavlex-mkdic: " + input + ":4: unknown escape \\x"));
  EXPECT_EQ(Read(output), "the old file");

  // A line only the layout cannot store is reported the same way.
  const std::string display = Write("display.tsv", "plain\t\tok\ncafe\tcafé\t喫茶店\n");
  const ProgramResult ansi = Mkdic({"--ansi", display, PathOf("new.dic")});
  EXPECT_EQ(ansi.status, 1);
  EXPECT_THAT(ansi.err, StartsWith("tavlex-mkdic: " + display + ":2: headword \"cafe\" has a display form"));
  EXPECT_FALSE(std::filesystem::exists(PathOf("new.dic")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 3);  // no temporary left
}

TEST_F(MkdicEndToEnd, FilesItCannotReadOrWriteAndUsageErrors) {
  const std::string good = Write("good.tsv", "a\t\tA\n");
  const std::string missing = PathOf("missing.tsv");
  const ProgramResult unreadable = Mkdic({missing, PathOf("out.dic")});
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.err, "tavlex-mkdic: " + missing + ": cannot read: No such file or directory\n");

  // Input that is not a regular file is named and never waited for; output
  // over one is refused, not replaced.
  const std::string fifo = PathOf("fifo.tsv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(Mkdic({fifo, PathOf("out.dic")}).err,
            "tavlex-mkdic: " + fifo + ": cannot read: not a regular file\n");
  const ProgramResult overFifo = Mkdic({good, fifo});
  EXPECT_EQ(overFifo.status, 1);
  EXPECT_EQ(overFifo.err, "tavlex-mkdic: " + fifo + ": cannot write: File exists\n");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  const std::string nowhere = PathOf("no/such/folder/out.dic");
  const ProgramResult unwritable = Mkdic({good, nowhere});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "tavlex-mkdic: " + nowhere + ": cannot write: No such file or directory\n");

  const std::string empty = Write("empty.tsv", "\n\n");
  EXPECT_EQ(Mkdic({empty, PathOf("out.dic")}).err, "tavlex-mkdic: " + empty + ": holds no records\n");

  for (const Args& usage : {Args{}, Args{good}, Args{"--format-version", "3", good, PathOf("out.dic")}}) {
    const ProgramResult result = Mkdic(usage);
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("Try 'tavlex-mkdic --help'."));
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("out.dic")));
  const ProgramResult help = Mkdic({"-h"});
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out, StartsWith("Usage: tavlex-mkdic "));
}

// Each tool names itself and the project's version; tavlex-mkdic still takes
// the old spelling of the format version, and says it is the old one.
TEST_F(MkdicEndToEnd, EveryToolShowsItsVersionAndMkdicTakesTheOldSpelling) {
  for (const char* program : {TAVLEX_LOOKUP_PROGRAM, TAVLEX_DUMP_PROGRAM, TAVLEX_MKDIC_PROGRAM}) {
    const std::string name = std::filesystem::path(program).filename();
    EXPECT_EQ(RunProgram(program, {"--version"}).out, name + " " + TAVLEX_PROJECT_VERSION + "\n");
  }
  const ProgramResult old = Mkdic({"--version", "4", Write("old.tsv", "a\t\tA\n"), PathOf("old.dic")});
  EXPECT_EQ(old.status, 0);
  EXPECT_THAT(old.err, StartsWith("tavlex-mkdic: --version N is the old spelling of --format-version N"));
}

// A user with no rights runs a copy of the program in the scratch folder: the
// build tree may be out of that user's reach.
TEST_F(MkdicEndToEnd, AFileTheUserMayNotReadIsNamedWithTheReason) {
  std::filesystem::permissions(dir_.path(), std::filesystem::perms::all);
  const std::string mkdic = PathOf("tavlex-mkdic");
  std::filesystem::copy_file(TAVLEX_MKDIC_PROGRAM, mkdic);
  if (!UnprivilegedCanRun(mkdic)) {
    GTEST_SKIP() << "a user with no rights cannot run " << mkdic << ": a folder on its way is closed to it";
  }
  const std::string secret = Write("secret.tsv", "a\t\tA\n");
  std::filesystem::permissions(secret, std::filesystem::perms::none);
  EXPECT_TRUE(PassesUnprivileged([&] {
    return RunProgram(mkdic, {secret, PathOf("out.dic")}).err ==
           "tavlex-mkdic: " + secret + ": cannot read: Permission denied\n";
  }));
}

}  // namespace
}  // namespace tavlex::testing
