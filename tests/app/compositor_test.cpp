// The viewer under a real Wayland compositor (a headless sway of the test's
// own, on a private session bus): a second start hands its request to the
// running viewer, the pop-up reads the clipboard once it has the focus, the
// watched clipboard looks each copied text up once, even with no viewer
// window focused, and a launcher's activation token, or one the start asked
// for itself, reaches the compositor. The viewer says what it shows
// (reporting_viewer_child), the compositor which window has the focus, and
// the viewer's Wayland log (WAYLAND_DEBUG) what it asked of the compositor.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <thread>

#include "tests/support/headless_sway.h"
#include "tests/support/run_program.h"
#include "tests/support/view_fixture.h"
#include "tests/support/wait_until.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;
using testing::WaitUntil;

// How long the test lets the viewer answer a change that must leave it as it is.
constexpr std::chrono::milliseconds kNothingFollows{1'000};

class CompositorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!sway_.problem().empty()) GTEST_SKIP() << sway_.problem();
    // The word book, the settings and the index files of the programs started are the test's.
    for (const char* folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
      ::setenv(folder, dir_.path().c_str(), 1);
  }

  void TearDown() override {
    if (viewer_ > 0) testing::KillProgram(viewer_);
  }

  // Starts the viewer with the lookup options given, its Wayland requests logged.
  void StartViewer(const std::string& lookupOptions = "") {
    testing::WriteThreeRegistered(dir_, "[lookup]\n" + lookupOptions);
    ::setenv("WAYLAND_DEBUG", "client", 1);
    viewer_ = testing::StartProgram(TAVLEX_REPORTING_VIEWER, {(dir_.path() / "tavlex.ini").string()},
                                    dir_.path() / "reports", dir_.path() / "wayland.log");
    ::unsetenv("WAYLAND_DEBUG");
    ASSERT_TRUE(WaitUntil([&] { return LastReport().starts_with("window=1 "); })) << Reports();
    ASSERT_TRUE(WaitUntil([&] { return Window("Tavlex").value("focused", false); })) << sway_.Tree();
  }

  // A second start of the real program; its exit status.
  static int Start(const std::vector<std::string>& args) {
    return testing::RunProgram(TAVLEX_VIEWER, args).status;
  }

  std::string Reports() const { return testing::FileText(dir_.path() / "reports"); }
  std::string LastReport() const {
    std::istringstream lines(Reports());
    std::string line, last;
    while (std::getline(lines, line)) last = line;
    return last;
  }
  // Waits until the viewer's last report is this one.
  bool Shows(const std::string& report) const {
    return WaitUntil([&] { return LastReport() == report; });
  }

  // What the compositor says of the viewer's window with this title; null if none shows.
  nlohmann::json Window(const std::string& title) const {
    nlohmann::json found;
    const auto walk = [&](const nlohmann::json& node, const auto& self) -> void {
      if (node.value("name", "") == title && node.contains("pid")) found = node;
      for (const char* children : {"nodes", "floating_nodes"}) {
        for (const nlohmann::json& child : node.value(children, nlohmann::json::array())) self(child, self);
      }
    };
    walk(nlohmann::json::parse(sway_.Tree(), nullptr, false), walk);
    return found.is_null() ? nlohmann::json::object() : found;
  }

  testing::HeadlessSway sway_;
  testing::TempDir dir_;
  pid_t viewer_ = -1;
};

TEST_F(CompositorTest, ASecondStartReachesTheViewerAndItsWindowComesForward) {
  StartViewer();
  struct Case {
    std::vector<std::string> args;
    std::string report;
    std::string focused;  // the title of the window the compositor gives the focus
  };
  const Case cases[] = {
      {{"went"}, "window=1 search=went popup=- popups=0", "Tavlex"},
      {{"--popup", "go"}, "window=1 search=went popup=go popups=1", "Tavlex Pop-up"},
      {{"gone"}, "window=1 search=gone popup=- popups=1", "Tavlex"},  // up before the pop-up closes
      {{"--popup", "going"}, "window=1 search=gone popup=going popups=2", "Tavlex Pop-up"},
  };
  for (const Case& c : cases) {
    const std::string what = c.args.back();
    ASSERT_EQ(Start(c.args), 0) << what;
    EXPECT_TRUE(Shows(c.report)) << what << ": " << Reports();
    EXPECT_TRUE(WaitUntil([&] { return Window(c.focused).value("focused", false); })) << what << sway_.Tree();
  }
}

TEST_F(CompositorTest, TheLaunchersTokenOrOneOfTheStartsOwnGoesWithTheRequestToTheCompositor) {
  StartViewer();
  struct Case {
    std::string launcherToken;  // XDG_ACTIVATION_TOKEN; empty: the start asks sway for one
    std::vector<std::string> args;
    std::string report;
  };
  const Case cases[] = {
      {"launcher-token", {"went"}, "window=1 search=went popup=- popups=0"},
      {"", {"gone"}, "window=1 search=gone popup=- popups=0"},
      {"", {}, "window=1 search=gone popup=- popups=0"},  // a plain start
  };
  static const std::regex kIssued(R"re(xdg_activation_token_v1@\d+\.done\("([^"]+)"\))re");
  for (const Case& c : cases) {
    const std::string what = c.launcherToken + (c.args.empty() ? "plain" : c.args.back());
    if (!c.launcherToken.empty()) ::setenv("XDG_ACTIVATION_TOKEN", c.launcherToken.c_str(), 1);
    ::setenv("WAYLAND_DEBUG", "client", 1);
    const testing::ProgramResult start = testing::RunProgram(TAVLEX_VIEWER, c.args);
    ::unsetenv("WAYLAND_DEBUG");
    ::unsetenv("XDG_ACTIVATION_TOKEN");
    ASSERT_EQ(start.status, 0) << what << start.err;
    std::smatch issued;
    std::string token = c.launcherToken;
    if (token.empty()) {
      ASSERT_TRUE(std::regex_search(start.err, issued, kIssued)) << what << ": sway issued no token";
      token = issued[1];
    } else {
      EXPECT_EQ(start.err.find("xdg_activation_token_v1"), std::string::npos) << what << ": asked for one";
    }
    EXPECT_TRUE(Shows(c.report)) << what << ": " << Reports();
    EXPECT_TRUE(WaitUntil([&] {
      return testing::FileText(dir_.path() / "wayland.log").find("activate(\"" + token + "\"") !=
             std::string::npos;
    })) << what
        << ": " << token;
  }
}

TEST_F(CompositorTest, ThePopupReadsTheClipboardOnceItHasTheFocus) {
  StartViewer();
  ASSERT_TRUE(sway_.Copy("apple pie"));
  ASSERT_EQ(Start({"--clipboard", "--popup"}), 0);
  // The window, activated after the copy, may have pasted it into its search box too.
  EXPECT_TRUE(WaitUntil([&] { return LastReport().ends_with(" popup=apple pie popups=1"); })) << Reports();
}

TEST_F(CompositorTest, TheWatchedClipboardLooksEachCopiedTextUpOnce) {
  ASSERT_TRUE(sway_.Copy("held before"));
  StartViewer("watchclipboard=1\n");
  struct Step {
    std::string copy;               // copied by another program, or empty
    std::string key;                // or pressed in the focused window, or empty
    std::vector<std::string> args;  // or the arguments of a second start
    std::string report;             // what the viewer shows after it
  };
  const Step steps[] = {
      // What the clipboard held at the start is sent as the window gains the
      // focus, and pasted into its search box as the window is activated.
      {"", "Shift_L", {}, "window=1 search=held before popup=- popups=0"},
      {"apple", "", {}, "window=1 search=held before popup=apple popups=1"},
      {"", "Escape", {}, "window=1 search=apple popup=- popups=1"},  // sent again to the window focused again
      {"apple", "", {}, "window=1 search=apple popup=- popups=1"},   // copied again
      {"pie", "", {}, "window=1 search=apple popup=pie popups=2"},
      {"", "Escape", {}, "window=1 search=pie popup=- popups=2"},
      // Sent again as the pop-up and then the window gain the focus.
      {"", "", {"--popup", "go"}, "window=1 search=pie popup=go popups=3"},
      {"", "Escape", {}, "window=1 search=pie popup=- popups=3"},
  };
  for (const Step& step : steps) {
    const std::string what = step.copy + step.key + (step.args.empty() ? "" : step.args.back());
    if (!step.copy.empty()) {
      ASSERT_TRUE(sway_.Copy(step.copy)) << what;
    } else if (!step.key.empty()) {
      ASSERT_TRUE(sway_.Press(step.key)) << what;
    } else {
      ASSERT_EQ(Start(step.args), 0) << what;
    }
    std::this_thread::sleep_for(kNothingFollows);
    EXPECT_TRUE(Shows(step.report)) << what << ": " << Reports();
  }
}

TEST_F(CompositorTest, TheWatchedClipboardSeesACopyWhileNoViewerWindowHasTheFocus) {
  StartViewer("watchclipboard=1\n");
  // An empty workspace of its own: no window has the focus there.
  ASSERT_EQ(testing::RunProgram("/usr/bin/swaymsg", {"workspace", "elsewhere"}).status, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Window("Tavlex").value("focused", true); })) << sway_.Tree();
  struct Step {
    std::string copy;    // copied by another program, or empty
    std::string key;     // or pressed in the focused window
    std::string report;  // what the viewer shows after it
  };
  const Step steps[] = {
      {"apple", "", "window=1 search= popup=apple popups=1"},
      {"", "Escape", "window=1 search= popup=- popups=1"},
      {"apple", "", "window=1 search= popup=- popups=1"},  // copied again
      {"pie", "", "window=1 search= popup=pie popups=2"},
  };
  for (const Step& step : steps) {
    const std::string what = step.copy + step.key;
    if (!step.copy.empty()) {
      ASSERT_TRUE(sway_.Copy(step.copy)) << what;
    } else {
      ASSERT_TRUE(sway_.Press(step.key)) << what;
    }
    std::this_thread::sleep_for(kNothingFollows);
    EXPECT_TRUE(Shows(step.report)) << what << ": " << Reports();
  }
}

}  // namespace
}  // namespace tavlex
