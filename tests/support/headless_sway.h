// A Wayland compositor of the test's own: sway without a screen or input
// devices (its headless backend), started as the session-bus tests start
// their bus. sway refuses to run as root, so under root it runs as nobody,
// in a runtime folder of nobody's; root's programs reach its socket all the
// same. The test's environment then names its display, so that the programs
// the test starts show there, and loses any X display, so that none goes
// elsewhere. Where sway is not installed, problem() says so and the test
// skips.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"
#include "tests/support/wait_until.h"

namespace tavlex::testing {

class HeadlessSway {
 public:
  static constexpr int kKeyboardHeldMs = 600'000;  // longer than any test

  HeadlessSway() {
    for (const char* tool : {"sway", "swaymsg", "wl-copy", "wtype", "setpriv"}) {
      if (!Installed(tool)) {
        problem_ = std::string("no headless compositor: ") + tool + " is not installed";
        return;
      }
    }
    const std::filesystem::path runtime = folder_.path() / "runtime";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    const uid_t user = ::geteuid() == 0 ? kNobody : ::geteuid();
    if (::chown(runtime.c_str(), user, user) != 0 ||
        (user != ::geteuid() && ::chmod(folder_.path().c_str(), 0755) != 0)) {
      problem_ = "cannot make sway's runtime folder";
      return;
    }
    std::ofstream(runtime / "config") << "output HEADLESS-1 resolution 1024x768\n";
    std::vector<std::string> args{"env",
                                  "-i",
                                  "PATH=/usr/bin:/bin",
                                  "HOME=" + runtime.string(),
                                  "XDG_RUNTIME_DIR=" + runtime.string(),
                                  "WLR_BACKENDS=headless",
                                  "WLR_LIBINPUT_NO_DEVICES=1",
                                  "WLR_RENDERER=pixman",
                                  "sway",
                                  "-c",
                                  (runtime / "config").string()};
    if (user != ::geteuid()) {
      args.insert(args.begin(),
                  {"--reuid=" + std::to_string(user), "--regid=" + std::to_string(user), "--clear-groups"});
    }
    pid_ = StartProgram(user != ::geteuid() ? "/usr/bin/setpriv" : "/usr/bin/env", args,
                        folder_.path() / "sway.out", folder_.path() / "sway.err");
    if (!WaitUntil(
            [&] { return !Socket(runtime, "wayland-").empty() && !Socket(runtime, "sway-ipc.").empty(); }) ||
        ProgramEnded(pid_)) {
      problem_ = "sway did not start: " + FileText(folder_.path() / "sway.err");
      return;
    }
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("WAYLAND_DISPLAY", Socket(runtime, "wayland-").filename().c_str(), 1);
    ::setenv("SWAYSOCK", Socket(runtime, "sway-ipc.").c_str(), 1);
    ::unsetenv("DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
    // A keyboard for as long as the compositor runs, as a desktop has one: a
    // key pressed through a keyboard of its own, gone at once, could go before
    // a program had bound to it.
    keyboard_ =
        StartProgram("/usr/bin/wtype", {"-s", std::to_string(kKeyboardHeldMs)}, "/dev/null", "/dev/null");
  }

  ~HeadlessSway() {
    if (keyboard_ > 0) KillProgram(keyboard_);
    if (pid_ > 0) KillProgram(pid_);
  }
  HeadlessSway(const HeadlessSway&) = delete;
  HeadlessSway& operator=(const HeadlessSway&) = delete;

  // Empty when sway runs; otherwise why the test cannot run.
  const std::string& problem() const { return problem_; }

  // What sway says of its windows: `swaymsg -t get_tree`, in JSON.
  std::string Tree() const { return RunProgram("/usr/bin/swaymsg", {"-t", "get_tree"}).out; }

  // Puts text on the clipboard as another program would copy it.
  bool Copy(const std::string& text) const {
    return RunProgram("/usr/bin/wl-copy", {"--", text}).status == 0;
  }

  // Presses the key (an XKB name: Escape, Return) in the window that has the focus.
  bool Press(const std::string& key) const { return RunProgram("/usr/bin/wtype", {"-k", key}).status == 0; }

 private:
  static bool Installed(const std::string& tool) { return ::access(("/usr/bin/" + tool).c_str(), X_OK) == 0; }

  // The socket in folder whose name begins with prefix, empty while there is none.
  static std::filesystem::path Socket(const std::filesystem::path& folder, const std::string& prefix) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      if (entry.is_socket() && entry.path().filename().string().starts_with(prefix)) return entry.path();
    }
    return {};
  }

  TempDir folder_;
  std::string problem_;
  pid_t pid_ = -1;
  pid_t keyboard_ = -1;
};

}  // namespace tavlex::testing
