// The tools' argument scanning: values in both spellings, the end of options,
// and every way a command line can be wrong.
#include "cli/argument_scanner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

namespace tavlex::cli {
namespace {

using ::testing::ElementsAre;

constexpr std::array<OptionSpec, 3> kOptions = {{{"--file", true}, {"--quiet", false}, {"-h", false}}};

std::vector<Argument> Scan(const std::vector<std::string>& args) { return ScanArguments(args, kOptions); }

std::string ErrorOf(const std::vector<std::string>& args) {
  try {
    Scan(args);
  } catch (const UsageError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ArgumentScanner, KeepsOrderAndTakesValuesInBothSpellings) {
  EXPECT_THAT(Scan({"one", "--file", "a.dic", "--quiet", "--file=b=c.dic", "-h", "two"}),
              ElementsAre(Argument{"", "one"}, Argument{"--file", "a.dic"}, Argument{"--quiet", ""},
                          Argument{"--file", "b=c.dic"}, Argument{"-h", ""}, Argument{"", "two"}));
  // The next argument is the value even when it looks like an option.
  EXPECT_THAT(Scan({"--file", "--quiet"}), ElementsAre(Argument{"--file", "--quiet"}));
  EXPECT_THAT(Scan({"--file="}), ElementsAre(Argument{"--file", ""}));
}

TEST(ArgumentScanner, DoubleDashEndsOptionsAndLoneDashIsAnOperand) {
  EXPECT_THAT(
      Scan({"--quiet", "--", "--file", "-x", "--"}),
      ElementsAre(Argument{"--quiet", ""}, Argument{"", "--file"}, Argument{"", "-x"}, Argument{"", "--"}));
  EXPECT_THAT(Scan({"-"}), ElementsAre(Argument{"", "-"}));
  EXPECT_TRUE(Scan({}).empty());
}

TEST(ArgumentScanner, RejectsWhatItCannotUse) {
  EXPECT_EQ(ErrorOf({"--verbose"}), "unknown option --verbose");
  EXPECT_EQ(ErrorOf({"--verbose=1"}), "unknown option --verbose");
  EXPECT_EQ(ErrorOf({"-x"}), "unknown option -x");
  EXPECT_EQ(ErrorOf({"-h=1"}), "unknown option -h=1");  // short options carry no attached value
  EXPECT_EQ(ErrorOf({"--file"}), "--file needs a value");
  EXPECT_EQ(ErrorOf({"--quiet=yes"}), "--quiet takes no value");
}

}  // namespace
}  // namespace tavlex::cli
