// tavlex-dump as a user runs it: a dictionary dumped and built again gives
// back the same entries; JSON lines; a damaged file and the exit statuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/tools/tool_fixture.h"

namespace tavlex::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class DumpEndToEnd : public ToolTest {
 protected:
  static ProgramResult Dump(const Args& args) { return RunProgram(TAVLEX_DUMP_PROGRAM, args); }
};

TEST_F(DumpEndToEnd, TheTsvBuildsADictionaryWithTheSameEntries) {
  // Out of order, with escapes, a display form and short rows; small blocks
  // so that the dump crosses many of them.
  std::string tsv =
      "zebra\t\tシマウマ\n"
      "cafe\tcafé\t喫茶店\\n(名詞)\t/kæˈfeɪ/\tA cafe.\\tTAB \\\\ \\u0001\n"
      "apple\t\tりんご\n";
  for (int i = 0; i < 200; ++i)
    tsv += "word" + std::to_string(1000 + i) + "\t\tno. " + std::to_string(i) + "\n";
  const std::string original = Dictionary("original", tsv, {"--block-size", "256"});

  const ProgramResult dumped = Dump({original});
  EXPECT_EQ(dumped.status, 0) << dumped.err;
  EXPECT_EQ(dumped.err, "");
  EXPECT_THAT(dumped.out, StartsWith("apple\t\tりんご\t\t\n"
                                     "cafe\tcafé\t喫茶店\\n(名詞)\t/kæˈfeɪ/\tA cafe.\\tTAB \\\\ \\u0001\n"));

  const std::string rebuilt = Dictionary("rebuilt", dumped.out);
  const ProgramResult again = Dump({rebuilt});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, dumped.out);
  EXPECT_EQ(std::count(again.out.begin(), again.out.end(), '\n'), 203);

  const ProgramResult json = Dump({"--json", rebuilt});
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out.substr(0, json.out.find('\n') + 1),
            JsonLine(rebuilt, R"("key":"apple","display":"","attributes":0,)"
                              R"("translation":"りんご","pronunciation":"","example":"")"));
}

TEST_F(DumpEndToEnd, ADamagedFileDumpsWhatCanBeRead) {
  std::string tsv;
  for (int i = 0; i < 100; ++i)
    tsv += "word" + std::to_string(1000 + i) + "\t\tno. " + std::to_string(i) + "\n";
  const std::string dic = Dictionary("damaged", tsv, {"--block-size", "256"});
  const std::string whole = Dump({dic}).out;
  std::filesystem::resize_file(dic, std::filesystem::file_size(dic) - 600);

  const ProgramResult result = Dump({dic});
  EXPECT_EQ(result.status, 1);
  EXPECT_THAT(result.err, StartsWith("tavlex-dump: " + dic + ": data block "));
  EXPECT_THAT(result.err, HasSubstr(" cannot be read; its entries are missing\n"));
  EXPECT_FALSE(result.out.empty());
  EXPECT_THAT(whole, StartsWith(result.out));
}

TEST_F(DumpEndToEnd, UsageErrorsAndRefusedFilesEndWithTwo) {
  for (const Args& args : {Args{}, Args{"a.dic", "b.dic"}, Args{"--xml", "a.dic"}}) {
    const ProgramResult result = Dump(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("Try 'tavlex-dump --help'."));
  }
  const std::string notADictionary = Write("text.dic", "just some text, not a dictionary at all");
  const ProgramResult refused = Dump({notADictionary});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, "tavlex-dump: " + notADictionary +
                             ": cannot open the dictionary: not a PDIC dictionary, or damaged\n");
  const ProgramResult help = Dump({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out, StartsWith("Usage: tavlex-dump [--json] FILE.dic\n"));
}

}  // namespace
}  // namespace tavlex::testing
