// A save killed at any moment leaves the settings file whole: a child saves
// a large file in a loop and is killed with SIGKILL at random moments; after
// each kill the file holds exactly one complete generation of it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "settings/ini_file.h"
#include "tests/support/temp_dir.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

constexpr int kSections = 1000;
constexpr int kChangedEvery = 10;  // sections whose value each generation sets
constexpr int kKills = 200;

std::u16string SectionName(int s) {
  const std::string name = "section" + std::to_string(s);
  return std::u16string(name.begin(), name.end());
}

// The whole file as generation g of the loop writes it.
std::string Generation(int g) {
  std::string text = "; written by the test\n";
  for (int s = 0; s < kSections; ++s) {
    text += "[section" + std::to_string(s) + "]\nname=entry " + std::to_string(s) +
            " ; a comment kept as it is\ngeneration=" + std::to_string(s % kChangedEvery ? 0 : g) + "\n";
  }
  return text;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Loads the file and saves it one generation on; returns the new generation.
int SaveNextGeneration(const fs::path& path) {
  IniFile ini;
  ini.LoadPath(path);
  const int next = ini.GetInt(SectionName(0), u"generation", 0) + 1;
  for (int s = 0; s < kSections; s += kChangedEvery) ini.SetInt(SectionName(s), u"generation", next);
  ini.Save();
  return next;
}

size_t TemporaryFiles(const fs::path& dir) {
  size_t count = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    count += entry.path().filename() != "tavlex.ini";
  }
  return count;
}

TEST(KilledSave, TheFileIsAlwaysOneWholeGenerationAndLeftoversDoNotPileUp) {
  const testing::TempDir dir;
  const fs::path path = dir.path() / "tavlex.ini";
  std::ofstream(path, std::ios::binary) << Generation(0);

  std::mt19937 random(13);
  int lastGeneration = 0;
  int killedWhileWriting = 0;  // kills that left a temporary file behind
  for (int kill = 0; kill < kKills; ++kill) {
    // The child reports each finished save down a pipe. Once the first is in,
    // it is killed within about one and a half saves' time, so that kills land
    // in every phase of the next save (load, sets, write, syncs, rename).
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(report[0]);
      for (;;) {
        SaveNextGeneration(path);
        (void)!::write(report[1], "s", 1);
      }
    }
    ::close(report[1]);
    char saved = 0;
    const bool reported = ::read(report[0], &saved, 1) == 1;
    const auto firstSave = std::chrono::steady_clock::now() - start;
    std::uniform_int_distribution<long> delay(
        0, 3 * std::chrono::duration_cast<std::chrono::microseconds>(firstSave).count() / 2);
    if (reported) std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(report[0]);  // only now: a child writing to a closed pipe would die of SIGPIPE instead
    ASSERT_TRUE(reported && WIFSIGNALED(status));

    const std::string content = Read(path);
    const size_t at = content.find("generation=");
    ASSERT_NE(at, std::string::npos) << "after kill " << kill;
    const int generation = std::atoi(content.c_str() + at + 11);
    ASSERT_EQ(content, Generation(generation)) << "after kill " << kill;
    ASSERT_GT(generation, lastGeneration);  // the child's first save did land
    lastGeneration = generation;
    // Each save clears what killed ones left, so at most the last kill's remains.
    const size_t leftovers = TemporaryFiles(dir.path());
    ASSERT_LE(leftovers, 1u) << "after kill " << kill;
    killedWhileWriting += static_cast<int>(leftovers);
  }
  EXPECT_GT(killedWhileWriting, 0);  // and some kills struck in the middle of a save

  EXPECT_EQ(SaveNextGeneration(path), lastGeneration + 1);
  EXPECT_EQ(TemporaryFiles(dir.path()), 0u);
}

}  // namespace
}  // namespace tavlex
