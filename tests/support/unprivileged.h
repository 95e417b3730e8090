// Runs a check in a child process as a user with no special rights, so that
// "permission denied" can be tested even when the suite runs as root (root
// reads every file whatever its mode).
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace tavlex::testing {

inline constexpr uid_t kNobody = 65534;

// True when check() returned true in the child.
inline bool PassesUnprivileged(const std::function<bool()>& check) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      ::_exit(2);
    }
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Whether that user can start program. It cannot when a folder on the way is
// closed to it, as a clone in a home folder of mode 0700, or in a folder that
// `mktemp -d` made, is: a check that runs a built program runs a copy of it.
inline bool UnprivilegedCanRun(const std::string& program) {
  return PassesUnprivileged([&] { return ::access(program.c_str(), X_OK) == 0; });
}

}  // namespace tavlex::testing
