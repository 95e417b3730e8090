// Runs a built program as a user would from a shell, and captures what it
// printed and how it ended. Output goes through files rather than pipes, so a
// chatty program can never block on a full pipe.
#pragma once

#include <fcntl.h>
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

struct ProgramResult {
  int status = -1;  // the exit status; 128 + the signal for a program killed by one
  std::string out;
  std::string err;
};

inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args) {
  constexpr int kSignalStatusBase = 128;
  const TempDir capture;
  const std::string outPath = (capture.path() / "stdout").string();
  const std::string errPath = (capture.path() / "stderr").string();

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
  int wait = 0;
  if (waitpid(pid, &wait, 0) != pid) throw std::runtime_error("lost " + program);

  const auto slurp = [](const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  };
  ProgramResult result;
  result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : kSignalStatusBase + WTERMSIG(wait);
  result.out = slurp(outPath);
  result.err = slurp(errPath);
  return result;
}

}  // namespace tavlex::testing
