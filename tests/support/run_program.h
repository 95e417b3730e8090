// Runs a built program as a user would from a shell, and captures what it
// printed and how it ended. Output goes through files rather than pipes, so a
// chatty program can never block on a full pipe.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace tavlex::testing {

// A program killed by a signal ends with this plus the signal's number.
inline constexpr int kSignalStatusBase = 128;

struct ProgramResult {
  int status = -1;  // the exit status; kSignalStatusBase + the signal for a program killed by one
  std::string out;
  std::string err;
};

// Starts program with args, reading nothing, its output going to outPath and
// its errors to errPath; its process id, for WaitProgram or KillProgram.
inline pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::filesystem::path& outPath, const std::filesystem::path& errPath) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + program);
  return pid;
}

// Waits for a started program to end; its status as in ProgramResult.
inline int WaitProgram(pid_t pid) {
  int wait = 0;
  if (waitpid(pid, &wait, 0) != pid) throw std::runtime_error("lost program " + std::to_string(pid));
  return WIFEXITED(wait) ? WEXITSTATUS(wait) : kSignalStatusBase + WTERMSIG(wait);
}

// Whether a started program has ended, leaving it to be waited for.
inline bool ProgramEnded(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

// Kills a started program at once (SIGKILL), or finds it ended; its status.
inline int KillProgram(pid_t pid) {
  kill(pid, SIGKILL);
  return WaitProgram(pid);
}

// What a file holds, empty where there is none.
inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args) {
  const TempDir capture;
  const std::filesystem::path outPath = capture.path() / "stdout";
  const std::filesystem::path errPath = capture.path() / "stderr";
  ProgramResult result;
  result.status = WaitProgram(StartProgram(program, args, outPath, errPath));
  result.out = FileText(outPath);
  result.err = FileText(errPath);
  return result;
}

}  // namespace tavlex::testing
