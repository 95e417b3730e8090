// Runs each command many times as a fresh process, in turn, and reports the
// median wall time and processor time (user and system) of each, how far each
// lies above the first command, and the peak memory. Taking the commands in turn, round after round, spreads
// the noise of a busy machine evenly over all of them. This program is kept small because a spawned process
// starts out with its parent's peak memory.
//
// A command's GOAL is "-" (none), "ref" (the reference of the goals), a
// number of milliseconds that its median wall time may lie above the
// reference's, "cpu+N:LABEL" (its median processor time at most N ms above
// that of the command LABEL) or "speedR:LABEL" (its processor time above the
// first command's at most 1/R of LABEL's: R times as fast); each goal is
// printed beside its figure.
//
//   startup_runner ROUNDS LABEL GOAL ARGC ARG... [LABEL GOAL ARGC ARG...]...
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Command {
  std::string label;
  std::string goal;
  std::vector<char*> argv;
  std::vector<double> milliseconds;
  std::vector<double> cpuMilliseconds;  // user and system time: less disturbed by a busy machine
  long peakKiB = 0;
  int failures = 0;
};

// Runs the command once with its output discarded; false when it could not
// run, was killed, or ended with a status above 1 (found, nothing found).
bool RunOnce(Command& command) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int error = posix_spawn(&pid, command.argv[0], &actions, nullptr, command.argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  command.milliseconds.push_back(elapsed.count());
  const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
  command.cpuMilliseconds.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
  command.peakKiB = std::max(command.peakKiB, usage.ru_maxrss);
  return WIFEXITED(status) && WEXITSTATUS(status) <= 1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  if (n == 0) return 0;
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A goal set against another command: "cpu+N:LABEL" or "speedR:LABEL".
struct RelativeGoal {
  bool speed = false;  // else cpu+
  double value = 0;
  const Command* other = nullptr;
};

std::optional<RelativeGoal> ParseRelativeGoal(const std::string& goal, const std::vector<Command>& commands) {
  const size_t colon = goal.find(':');
  if (colon == std::string::npos) return std::nullopt;
  RelativeGoal parsed;
  size_t prefix = 0;
  if (goal.starts_with("cpu+")) {
    prefix = 4;
  } else if (goal.starts_with("speed")) {
    parsed.speed = true;
    prefix = 5;
  } else {
    return std::nullopt;
  }
  parsed.value = std::atof(goal.substr(prefix, colon - prefix).c_str());
  const std::string label = goal.substr(colon + 1);
  for (const Command& command : commands) {
    if (command.label == label) parsed.other = &command;
  }
  if (parsed.other == nullptr) return std::nullopt;
  return parsed;
}

void PrintRelativeGoal(const RelativeGoal& goal, double cpu, double cpuBaseline) {
  const double other = Median(goal.other->cpuMilliseconds);
  if (goal.speed) {
    const double times = (other - cpuBaseline) / std::max(cpu - cpuBaseline, 1e-3);
    std::printf("  %.2fx as fast as %s (processor, above the first): goal >= %.2gx, %s", times,
                goal.other->label.c_str(), goal.value, times >= goal.value ? "met" : "MISSED");
  } else {
    std::printf("  %+.2f ms of processor time beside %s: goal <= %+.2g ms, %s", cpu - other,
                goal.other->label.c_str(), goal.value, cpu - other <= goal.value ? "met" : "MISSED");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const int rounds = std::max(1, std::atoi(argv[1]));
  std::vector<Command> commands;
  for (int i = 2; i + 2 < argc;) {
    Command& command = commands.emplace_back();
    command.label = argv[i];
    command.goal = argv[i + 1];
    const int count = std::atoi(argv[i + 2]);
    i += 3;
    for (int k = 0; k < count && i < argc; ++k) command.argv.push_back(argv[i++]);
    command.argv.push_back(nullptr);
    if (command.argv.size() < 2) return 2;
  }
  if (commands.empty()) return 2;

  // One run of each first, unmeasured, so that every file is in the page cache.
  for (Command& command : commands) {
    if (!RunOnce(command)) std::fprintf(stderr, "startup_runner: %s failed\n", command.label.c_str());
    command.milliseconds.clear();
    command.cpuMilliseconds.clear();
  }
  for (int round = 0; round < rounds; ++round) {
    for (Command& command : commands) {
      if (!RunOnce(command)) ++command.failures;
    }
  }

  const double baseline = Median(commands.front().milliseconds);
  const double cpuBaseline = Median(commands.front().cpuMilliseconds);
  double reference = 0;
  for (const Command& command : commands) {
    if (command.goal == "ref") reference = Median(command.milliseconds);
  }
  std::printf("%-52s %9s %9s %9s %9s %9s  %s\n", "What", "wall ms", "above", "cpu ms", "above", "peak MiB",
              "goal");
  for (const Command& command : commands) {
    const double median = Median(command.milliseconds);
    const double cpu = Median(command.cpuMilliseconds);
    std::printf("%-52s %9.2f %9.2f %9.2f %9.2f %9.1f", command.label.c_str(), median, median - baseline, cpu,
                cpu - cpuBaseline, static_cast<double>(command.peakKiB) / 1024);
    if (command.goal == "ref") {
      std::printf("  (the reference)");
    } else if (const std::optional<RelativeGoal> relative = ParseRelativeGoal(command.goal, commands)) {
      PrintRelativeGoal(*relative, cpu, cpuBaseline);
    } else if (command.goal != "-") {
      const double goal = std::atof(command.goal.c_str());
      std::printf("  %+.1f ms of wall time above the reference: goal <= %+.0f ms, %s", median - reference,
                  goal, median - reference <= goal ? "met" : "MISSED");
    }
    std::printf("%s\n", command.failures ? "  (some runs failed)" : "");
  }
  std::printf("(%d rounds, medians)\n", rounds);
  return 0;
}
