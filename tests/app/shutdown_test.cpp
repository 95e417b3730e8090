// Ended by a signal, as at logout or shutdown, the viewer closes as its exit
// command closes it: a dictionary registered in the run reaches the settings
// file, written once, also when a dialog was open.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "support/test_dictionaries.h"

extern char** environ;

namespace tavlex {
namespace {

constexpr int kWaitMs = 30000;

struct Child {
  pid_t pid = -1;
  int out = -1;  // the child's standard output
};

Child Start(const std::vector<std::string>& args) {
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  Child child;
  if (posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) child.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe[1]);
  child.out = pipe[0];
  return child;
}

// What the child printed until it closed its output, or until text when that comes first.
std::string ReadUntil(int fd, const std::string& text = {}) {
  std::string read;
  pollfd wait{fd, POLLIN, 0};
  while (text.empty() || read.find(text) == std::string::npos) {
    if (::poll(&wait, 1, kWaitMs) != 1) break;
    char buffer[256];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) break;
    read.append(buffer, static_cast<size_t>(got));
  }
  return read;
}

TEST(Shutdown, EachSignalEndsTheRunAsTheExitCommandDoes) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    for (const bool withDialog : {false, true}) {
      const std::string what = std::string(strsignal(signal)) + (withDialog ? ", options dialog open" : "");
      testing::TempDir dir;
      const std::string ini = (dir.path() / "tavlex.ini").string();
      std::ofstream(ini) << "[dictionary]\n";
      const std::string dictionary =
          std::filesystem::path(testing::WriteTestDictionary(dir, "words.dic", testing::Words({u"go"})))
              .string();
      std::vector<std::string> args = {TAVLEX_VIEWER_CHILD, ini, dictionary};
      if (withDialog) args.push_back("--dialog");

      const Child child = Start(args);
      ASSERT_GT(child.pid, 0) << what;
      ASSERT_NE(ReadUntil(child.out, "ready\n").find("ready"), std::string::npos) << what;
      ASSERT_EQ(::kill(child.pid, signal), 0);
      const std::string said = ReadUntil(child.out);
      ::close(child.out);
      int status = 0;
      ASSERT_EQ(::waitpid(child.pid, &status, 0), child.pid);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << what;
      EXPECT_NE(said.find("writes=1\n"), std::string::npos) << what << ": " << said;

      std::ifstream in(ini);
      const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_NE(saved.find("dic1=" + dictionary + "\n"), std::string::npos) << what << ":\n" << saved;
      EXPECT_NE(saved.find("[" + dictionary + "]\n"), std::string::npos) << what << ":\n" << saved;
    }
  }
}

}  // namespace
}  // namespace tavlex
