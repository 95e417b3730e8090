// Start-up figures: prepares the benchmark dictionaries and the viewer's
// settings files, then hands the command list to startup_runner, which times
// each command against an empty C++ program, and the viewer's against a
// minimal Qt Widgets program beside their goals. sdcv looks the same word up
// in StarDict copies of the same records, for comparison.
//
//   startup_bench [ROUNDS]   (default 30)
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "bench/generated_dictionary.h"

namespace tavlex::bench {
namespace {

using dicwriter::Charset;

constexpr char kSdcv[] = "/usr/bin/sdcv";

std::string Utf8(const std::u16string& text) { return std::filesystem::path(text).string(); }

// Nine names for one dictionary file (hard links), listed in a settings file
// for the viewer; none when count is 0.
std::string NineDictionarySettings(const std::u16string& dictionary, const std::string& name, int count = 9) {
  const std::filesystem::path original(dictionary);
  const std::filesystem::path ini = original.parent_path() / ("viewer-" + name + ".ini");
  WriteDictionaryList(ini, LinkedNames(original, name, count));
  return ini.string();
}

// Appends one command in the runner's form: label, goal, argument count, arguments.
void Add(std::vector<std::string>& list, const std::string& label, const std::vector<std::string>& argv,
         const std::string& goal = "-") {
  list.push_back(label);
  list.push_back(goal);
  list.push_back(std::to_string(argv.size()));
  list.insert(list.end(), argv.begin(), argv.end());
}

}  // namespace
}  // namespace tavlex::bench

int main(int argc, char** argv) {
  using namespace tavlex::bench;
  std::fprintf(stderr, "startup_bench: preparing dictionaries (written once, slow the first time)\n");
  const std::u16string shortBocu1 = GeneratedDictionary(1'000'000, Charset::kBocu1);
  const std::u16string shortAnsi = GeneratedDictionary(1'000'000, Charset::kAnsi);
  const std::u16string longBocu1 = GeneratedDictionary(340'000, Charset::kBocu1, Shape::kLongTranslations);
  const std::string word = Utf8(SomeHeadword());
  const std::string lookup = TAVLEX_LOOKUP;
  const std::string viewer = TAVLEX_VIEWER_STARTUP;

  const std::string none = NineDictionarySettings(shortBocu1, "none", 0);
  const std::string nine = NineDictionarySettings(shortBocu1, "nine");
  const std::string nineLong = NineDictionarySettings(longBocu1, "nine-long");

  std::vector<std::string> list = {TAVLEX_STARTUP_RUNNER, argc > 1 ? argv[1] : "30"};
  Add(list, "an empty C++ program", {TAVLEX_EMPTY_PROGRAM});
  Add(list, "tavlex-lookup --help", {lookup, "--help"});
  // The terminal tool users compare a look-up with, on a StarDict copy of the same records.
  const bool withSdcv = ::access(kSdcv, X_OK) == 0;
  if (!withSdcv) std::fprintf(stderr, "startup_bench: no %s (scripts/setup installs it), left out\n", kSdcv);
  const std::string sdcvShort = "sdcv, one lookup, 1,000,000 short entries";
  const std::string sdcvLong = "sdcv, one lookup, 340,000 long entries";
  const std::string fast = "speed1.5:";  // at least 1.5 times as fast as sdcv
  Add(list, "one lookup, 1,000,000 short entries, BOCU-1", {lookup, "--dic", Utf8(shortBocu1), word},
      withSdcv ? fast + sdcvShort : "-");
  Add(list, "one lookup, 1,000,000 short entries, ANSI", {lookup, "--dic", Utf8(shortAnsi), word},
      withSdcv ? fast + sdcvShort : "-");
  Add(list, "one lookup, 340,000 long entries, BOCU-1", {lookup, "--dic", Utf8(longBocu1), word},
      withSdcv ? fast + sdcvLong : "-");
  const auto sdcv = [&](const std::u16string& dictionary) {
    return std::vector<std::string>{
        kSdcv, "-n", "-x", "-e", "--utf8-output", "--data-dir", StarDictCopy(dictionary).string(), word};
  };
  if (withSdcv) {
    Add(list, sdcvShort, sdcv(shortBocu1));
    Add(list, sdcvLong, sdcv(longBocu1));
  }
  // A selected text looked up per process, within 1 ms of processor time of
  // an exact look-up of the form it finds, in the nine registered dictionaries.
  const std::vector<std::string> inNine = {lookup, "--ini", nine};
  const auto withWords = [](std::vector<std::string> argv, std::initializer_list<std::string> words) {
    argv.insert(argv.end(), words);
    return argv;
  };
  const std::string exactEnglish = "lookup: take care of, nine x 1,000,000 short";
  const std::string exactJapanese = "lookup: 食べる, nine x 1,000,000 short";
  Add(list, exactEnglish, withWords(inNine, {"take care of"}));
  Add(list, "lookup --mode scan: took care of the children",
      withWords(inNine, {"--mode", "scan", "took", "care", "of", "the", "children"}),
      "cpu+1:" + exactEnglish);
  Add(list, exactJapanese, withWords(inNine, {"食べる"}));
  Add(list, "lookup --mode scan: 食べさせられなかった",
      withWords(inNine, {"--mode", "scan", "食べさせられなかった"}), "cpu+1:" + exactJapanese);
  Add(list, "tavlex --version (no display)", {TAVLEX_VIEWER, "--version"});
  Add(list, "a minimal Qt Widgets program: one window, one line", {TAVLEX_MINIMAL_WINDOW}, "ref");
  Add(list, "tavlex: window painted, nothing registered", {viewer, "window", none}, "15");
  Add(list, "tavlex: window painted, nine x 1,000,000 short", {viewer, "window", nine}, "15");
  Add(list, "tavlex: window painted, nine x 340,000 long", {viewer, "window", nineLong}, "15");
  Add(list, "tavlex WORD: results painted, nine x 1,000,000 short", {viewer, "results", nine, word}, "25");
  Add(list, "tavlex WORD: results painted, nine x 340,000 long", {viewer, "results", nineLong, word}, "40");

  std::vector<char*> args;
  for (std::string& arg : list) args.push_back(arg.data());
  args.push_back(nullptr);
  std::fflush(nullptr);
  ::execv(args[0], args.data());
  std::perror("startup_bench: cannot start startup_runner");
  return 1;
}
