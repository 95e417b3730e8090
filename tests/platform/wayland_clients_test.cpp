// The viewer's own Wayland clients against a headless sway and against
// compositors that are not there or never answer: the activation token a
// start asks for, and the clipboard watched through data-control.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <mutex>
#include <vector>

#include "platform/wayland_activation_token.h"
#include "platform/wayland_clipboard_monitor.h"
#include "tests/support/headless_sway.h"
#include "tests/support/run_program.h"
#include "tests/support/wait_until.h"

namespace tavlex::platform {
namespace {

using Selection = WaylandClipboardMonitor::Selection;
using std::chrono::milliseconds;

// A compositor's socket that takes the connection and never says a word.
class SilentCompositor {
 public:
  SilentCompositor() : path_(folder_.path() / "silent") {
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path_.c_str());
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 4) != 0) {
      path_.clear();
    }
  }
  ~SilentCompositor() { ::close(listener_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  testing::TempDir folder_;
  std::filesystem::path path_;
  int listener_ = -1;
};

class WaylandClientsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!sway_.problem().empty()) GTEST_SKIP() << sway_.problem();
    swayDisplay_ = ::getenv("WAYLAND_DISPLAY");
  }

  testing::HeadlessSway sway_;
  std::string swayDisplay_;
};

TEST_F(WaylandClientsTest, AStartGetsATokenOnlyFromACompositorThatIssuesOne) {
  SilentCompositor silent;
  ASSERT_FALSE(silent.path().empty());
  struct Case {
    const char* what;
    std::string display;  // WAYLAND_DISPLAY; empty: unset
    bool token;
  };
  const Case cases[] = {
      {"no display", "", false},
      {"no compositor on the socket", (silent.path().parent_path() / "gone").string(), false},
      {"a compositor that never answers", silent.path().string(), false},
      {"sway", swayDisplay_, true},
  };
  for (const Case& c : cases) {
    if (c.display.empty()) {
      ::unsetenv("WAYLAND_DISPLAY");
    } else {
      ::setenv("WAYLAND_DISPLAY", c.display.c_str(), 1);
    }
    const auto begun = std::chrono::steady_clock::now();
    const std::optional<std::string> token = RequestActivationToken("org.tavlex.Tavlex", milliseconds(200));
    const auto took = std::chrono::steady_clock::now() - begun;
    EXPECT_EQ(token.has_value(), c.token) << c.what;
    EXPECT_FALSE(token && token->empty()) << c.what;
    EXPECT_LT(took, milliseconds(400)) << c.what;
  }
  ::setenv("WAYLAND_DISPLAY", swayDisplay_.c_str(), 1);
}

TEST_F(WaylandClientsTest, TheMonitorReadsEachSelectionWithoutAWindow) {
  ASSERT_TRUE(sway_.Copy("held before"));
  std::mutex mutex;
  std::vector<Selection> seen;
  const auto count = [&] {
    std::lock_guard lock(mutex);
    return seen.size();
  };
  std::unique_ptr<WaylandClipboardMonitor> monitor = WaylandClipboardMonitor::Start([&](const Selection& s) {
    std::lock_guard lock(mutex);
    seen.push_back(s);
  });
  ASSERT_TRUE(monitor);

  // A text of three-byte characters longer than the monitor reads: the model
  // keeps the whole characters that fit.
  const std::string kana = "あ";
  std::string longText, longKept;
  for (size_t i = 0; i < WaylandClipboardMonitor::kMostBytes / kana.size() + 100; ++i) longText += kana;
  longKept = longText.substr(0, WaylandClipboardMonitor::kMostBytes / kana.size() * kana.size());
  struct Step {
    std::vector<std::string> copy;  // wl-copy's arguments; none for the start
    Selection expected;
  };
  const Step steps[] = {
      {{}, {true, "held before"}},
      {{"--", "apple"}, {true, "apple"}},
      {{"--", "りんご\nline two"}, {true, "りんご\nline two"}},
      {{"--type", "image/png", "--", "not text"}, {false, ""}},
      {{"--clear"}, {false, ""}},
      {{"--", longText}, {true, longKept}},
      {{"--", "apple"}, {true, "apple"}},  // the same text again is a new selection
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    const Step& step = steps[i];
    if (!step.copy.empty()) {
      ASSERT_EQ(testing::RunProgram("/usr/bin/wl-copy", step.copy).status, 0) << i;
    }
    ASSERT_TRUE(testing::WaitUntil([&] { return count() > i; })) << "step " << i;
    std::lock_guard lock(mutex);
    EXPECT_EQ(seen[i].hasText, step.expected.hasText) << "step " << i;
    EXPECT_EQ(seen[i].text.size(), step.expected.text.size()) << "step " << i;
    EXPECT_TRUE(seen[i].text == step.expected.text) << "step " << i;
  }
  monitor.reset();
  EXPECT_EQ(count(), std::size(steps));
}

TEST_F(WaylandClientsTest, NoMonitorWithoutACompositorThatAnswers) {
  SilentCompositor silent;
  ASSERT_FALSE(silent.path().empty());
  for (const std::string& display : {std::string(), silent.path().string()}) {
    if (display.empty()) {
      ::unsetenv("WAYLAND_DISPLAY");
    } else {
      ::setenv("WAYLAND_DISPLAY", display.c_str(), 1);
    }
    const auto begun = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaylandClipboardMonitor::Start([](const Selection&) {})) << display;
    EXPECT_LT(std::chrono::steady_clock::now() - begun, WaylandClipboardMonitor::kConnectPatience * 3)
        << display;
  }
  ::setenv("WAYLAND_DISPLAY", swayDisplay_.c_str(), 1);
}

}  // namespace
}  // namespace tavlex::platform
