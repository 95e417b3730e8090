// Start-up figures: prepares the generated dictionaries and the viewer's
// settings files, then hands the command list to startup_runner, which times
// each command against an empty C++ program.
//
//   startup_bench [ROUNDS]   (default 30)
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/generated_dictionary.h"

namespace tavlex::bench {
namespace {

using dicwriter::Charset;

std::string Utf8(const std::u16string& text) { return std::filesystem::path(text).string(); }

// Nine names for one dictionary file (hard links), listed in a settings file for the viewer.
std::string NineDictionarySettings(const std::u16string& dictionary, const std::string& name) {
  const std::filesystem::path original(dictionary);
  const std::filesystem::path ini = original.parent_path() / ("viewer-" + name + ".ini");
  std::ofstream out(ini);
  out << "[dictionary]\n";
  for (int i = 0; i < 9; ++i) {
    const std::filesystem::path link = original.parent_path() / (name + "-" + std::to_string(i) + ".dic");
    if (!std::filesystem::exists(link)) std::filesystem::create_hard_link(original, link);
    out << "dic" << i + 1 << "=" << link.string() << "\n";
  }
  return ini.string();
}

// Appends one command in the runner's form: label, argument count, arguments.
void Add(std::vector<std::string>& list, const std::string& label, const std::vector<std::string>& argv) {
  list.push_back(label);
  list.push_back(std::to_string(argv.size()));
  list.insert(list.end(), argv.begin(), argv.end());
}

}  // namespace
}  // namespace tavlex::bench

int main(int argc, char** argv) {
  using namespace tavlex::bench;
  std::fprintf(stderr, "startup_bench: preparing dictionaries (generated once, slow the first time)\n");
  const std::u16string shortBocu1 = GeneratedDictionary(1'000'000, Charset::kBocu1);
  const std::u16string shortAnsi = GeneratedDictionary(1'000'000, Charset::kAnsi);
  const std::u16string longBocu1 = GeneratedDictionary(340'000, Charset::kBocu1, Shape::kLongTranslations);
  const std::string word = Utf8(GeneratedHeadword(8 * 23456 + 2));
  const std::string lookup = TAVLEX_LOOKUP;
  const std::string viewer = TAVLEX_VIEWER_STARTUP;

  std::vector<std::string> list = {TAVLEX_STARTUP_RUNNER, argc > 1 ? argv[1] : "30"};
  Add(list, "an empty C++ program", {TAVLEX_EMPTY_PROGRAM});
  Add(list, "tavlex-lookup --help", {lookup, "--help"});
  Add(list, "one lookup, 1,000,000 short entries, BOCU-1", {lookup, "--dic", Utf8(shortBocu1), word});
  Add(list, "one lookup, 1,000,000 short entries, ANSI", {lookup, "--dic", Utf8(shortAnsi), word});
  Add(list, "one lookup, 340,000 long entries, BOCU-1", {lookup, "--dic", Utf8(longBocu1), word});
  Add(list, "viewer, first paint, nine x 1,000,000 short",
      {viewer, NineDictionarySettings(shortBocu1, "nine"), word});
  Add(list, "viewer, first paint, nine x 340,000 long",
      {viewer, NineDictionarySettings(longBocu1, "nine-long"), word});

  std::vector<char*> args;
  for (std::string& arg : list) args.push_back(arg.data());
  args.push_back(nullptr);
  std::fflush(nullptr);
  ::execv(args[0], args.data());
  std::perror("startup_bench: cannot start startup_runner");
  return 1;
}
