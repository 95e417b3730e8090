// Starting the font loader program by path.
#include "platform/program_launcher.h"

#include <gtest/gtest.h>

namespace tavlex {
namespace {

TEST(ProgramLauncher, StartsByPathAndReportsFailure) {
  EXPECT_GT(platform::StartProgram("/bin/true"), 0);
  EXPECT_EQ(platform::StartProgram("/nonexistent/loader"), 0);
  EXPECT_EQ(platform::StartProgram("/dev/null"), 0);  // not a regular file
  EXPECT_EQ(platform::StartProgram("/tmp"), 0);
  platform::RequestProgramEnd(0);  // nothing started: nothing to end
}

}  // namespace
}  // namespace tavlex
