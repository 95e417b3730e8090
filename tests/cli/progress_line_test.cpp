// The progress bar of the command-line tools: drawn in place on a terminal,
// nothing at all elsewhere.
#include "cli/progress_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tavlex::cli {
namespace {

TEST(ProgressLine, DrawsInPlaceAndClearsOnlyWhenShown) {
  std::ostringstream quiet;
  {
    ProgressLine line(quiet, false);
    line.Show("indexing a.dic", 1, 2);
  }
  EXPECT_EQ(quiet.str(), "");

  std::ostringstream shown;
  {
    ProgressLine line(shown, true);
    line.Show("indexing long.dic", 37, 100);
    line.Show("x", 1, 0);  // nothing to do yet: 0 %, and blanks over the longer line before
  }
  const std::string first = "indexing long.dic [#######.............]  37%";
  const std::string second = "x [....................]   0%";
  EXPECT_EQ(shown.str(), "\r" + first + "\r" + second + std::string(first.size() - second.size(), ' ') +
                             "\r" + std::string(second.size(), ' ') + "\r");
}

}  // namespace
}  // namespace tavlex::cli
