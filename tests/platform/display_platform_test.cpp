// The choice of Qt's display platform at start-up, over every combination of
// displays and installed plugins, against a plain statement of the rule: the
// displays that have their plugin, Wayland first; and where none has, a
// message naming what to install instead of Qt's abort.
#include "platform/display_platform.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavlex::platform {
namespace {

TEST(DisplayPlatformTest, UsableDisplaysWaylandFirstElseWhatIsMissing) {
  for (int bits = 0; bits < 16; ++bits) {
    DisplayEnvironment environment;
    environment.waylandDisplay = (bits & 1) ? "wayland-1" : "";
    environment.x11Display = (bits & 2) ? ":0" : "";
    environment.waylandPlugin = (bits & 4) != 0;
    environment.x11Plugin = (bits & 8) != 0;
    SCOPED_TRACE(bits);

    std::vector<std::string> usable;
    if ((bits & 1) && (bits & 4)) usable.push_back("wayland");
    if ((bits & 2) && (bits & 8)) usable.push_back("xcb");
    std::string expected;
    for (const std::string& name : usable) expected += (expected.empty() ? "" : ";") + name;

    const DisplayChoice choice = ChooseDisplayPlatform(environment);
    EXPECT_EQ(choice.platforms, expected);
    EXPECT_EQ(choice.problem.empty(), !usable.empty()) << choice.problem;
    const bool waylandWithoutPlugin = (bits & 1) && !(bits & 4);
    if (usable.empty()) {
      EXPECT_EQ(choice.problem.find("qt6-wayland") != std::string::npos, waylandWithoutPlugin)
          << choice.problem;
      // A session without XWayland is told so.
      const bool noXWayland = waylandWithoutPlugin && !(bits & 2);
      EXPECT_EQ(choice.problem.find("XWayland") != std::string::npos, noXWayland) << choice.problem;
    }

    // The user's own choice stands, whatever the displays.
    environment.chosen = "offscreen";
    const DisplayChoice chosen = ChooseDisplayPlatform(environment);
    EXPECT_EQ(chosen.platforms, "");
    EXPECT_EQ(chosen.problem, "");
  }
}

}  // namespace
}  // namespace tavlex::platform
