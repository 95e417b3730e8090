// tavlex-lookup --mode scan as a user runs it: the words taken as one text,
// each group of entries under its heading, the JSON of each hit with the start
// covered, the form and the rules, and what it says when nothing is found.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tool_fixture.h"

namespace tavlex::testing {
namespace {

using ::testing::HasSubstr;

constexpr std::string_view kPhrases =
    "take\t\t取る\n"
    "take care\t\t気をつける\n"
    "take care of\t\t世話をする\n"
    "turn off\t\t消す\n"
    "食べる\t\t食べる（動詞）\n"
    "カード\t\tcard\n";

class ScanEndToEnd : public ToolTest {};

TEST_F(ScanEndToEnd, PrintsEachGroupUnderItsHeading) {
  const std::string dic = Dictionary("phrases", kPhrases);
  struct Case {
    Args words;
    std::string out;
  };
  const Case cases[] = {
      // The words are one text; the longest start comes first.
      {{"took", "care", "of", "the", "children."},
       Lines({"took care of → take care of（過去形）", "take care of", "世話をする", "",
              "took care → take care（過去形）", "take care", "気をつける", "", "took → take（過去形）",
              "take", "取る"})},
      {{"\"turned the light off\""},
       Lines({"turned the light off → turn off（過去形・目的語）", "turn off", "消す"})},
      {{"食べさせられなかったので"},
       Lines(
           {"食べさせられなかった → 食べる（使役形・受身形・否定形・過去形）", "食べる", "食べる（動詞）"})},
      // Found as it stands: the heading is the text covered alone.
      {{"take care"}, Lines({"take care", "take care", "気をつける", "", "take", "take", "取る"})},
  };
  for (const Case& c : cases) {
    Args args{"--dic", dic, "--mode", "scan"};
    args.insert(args.end(), c.words.begin(), c.words.end());
    const ProgramResult result = Lookup(args);
    EXPECT_EQ(result.status, 0) << c.words[0];
    EXPECT_EQ(result.out, c.out) << c.words[0];
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(ScanEndToEnd, JsonSaysWhatEachHitCoversAndWhichRulesWereUndone) {
  const std::string dic = Dictionary("phrases", kPhrases);
  const ProgramResult result = Lookup({"--json", "--dic", dic, "--mode", "scan", "  \"Took", "care"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            JsonLine(dic, R"("query":"  \"Took care","key":"take care","display":"","attributes":0,)"
                          R"("translation":"気をつける","pronunciation":"","example":"",)"
                          R"("matched":"Took care","form":"take care","rules":["past"])") +
                JsonLine(dic, R"("query":"  \"Took care","key":"take","display":"","attributes":0,)"
                              R"("translation":"取る","pronunciation":"","example":"",)"
                              R"("matched":"Took","form":"take","rules":["past"])"));
  const ProgramResult chain = Lookup({"--json", "--dic", dic, "--mode", "scan", "食べさせられなかった"});
  EXPECT_THAT(chain.out, HasSubstr(R"("matched":"食べさせられなかった","form":"食べる",)"
                                   R"("rules":["causative","passive","negative","past"]})"));
  // Found as it stands: no rules.
  const ProgramResult plain = Lookup({"--json", "--dic", dic, "--mode", "scan", "--fold-kana", "かーどを"});
  EXPECT_THAT(plain.out, HasSubstr(R"("key":"カード",)"));
  EXPECT_THAT(plain.out, HasSubstr(R"("matched":"かーど","form":"かーど","rules":[]})"));
}

TEST_F(ScanEndToEnd, NothingFoundAndWhatCannotBeCombined) {
  const std::string dic = Dictionary("phrases", kPhrases);
  // Kana stay apart without --fold-kana; a text of punctuation holds no word.
  for (const Args& nothing : {Args{"かーど"}, Args{"zebra", "crossing"}, Args{" ?! "}}) {
    Args args{"--dic", dic, "--mode", "scan"};
    args.insert(args.end(), nothing.begin(), nothing.end());
    const ProgramResult result = Lookup(args);
    EXPECT_EQ(result.status, 1) << nothing[0];
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
  }
  for (const Args& usage : {Args{"--dic", dic, "--mode", "scan", "--inflect", "took"},
                            Args{"--dic", dic, "--mode", "scan", "--field", "example", "took"}}) {
    const ProgramResult result = Lookup(usage);
    EXPECT_EQ(result.status, 2) << usage[4];
    EXPECT_EQ(result.out, "");
  }
}

}  // namespace
}  // namespace tavlex::testing
