// What the end-to-end tests of the tools share: a scratch directory, files
// written into it, and the built programs run as a user runs them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace tavlex::testing {

using Args = std::vector<std::string>;

// The lines, each ended by a line break.
inline std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

// One line of tavlex-lookup's JSON: the dictionary's path, then the other fields.
inline std::string JsonLine(const std::string& dictionary, const std::string& fields) {
  return R"({"dictionary":")" + dictionary + R"(",)" + fields + "}\n";
}

class ToolTest : public ::testing::Test {
 protected:
  // Writes content to name in the scratch directory; returns its path.
  std::string Write(const std::string& name, std::string_view content) const {
    const std::filesystem::path path = dir_.path() / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  std::string Read(const std::string& path) const {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  }
  std::string PathOf(const std::string& name) const { return (dir_.path() / name).string(); }

  static ProgramResult Mkdic(const Args& args) { return RunProgram(TAVLEX_MKDIC_PROGRAM, args); }
  static ProgramResult Lookup(const Args& args) { return RunProgram(TAVLEX_LOOKUP_PROGRAM, args); }

  // name.dic built from the TSV lines by tavlex-mkdic, which must accept them.
  std::string Dictionary(const std::string& name, std::string_view tsv, const Args& options = {}) const {
    Args args = options;
    args.push_back(Write(name + ".tsv", tsv));
    args.push_back(PathOf(name + ".dic"));
    const ProgramResult built = Mkdic(args);
    EXPECT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.err, "");
    return args.back();
  }

  TempDir dir_;
};

}  // namespace tavlex::testing
