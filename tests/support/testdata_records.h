// Reads the records lists that come with the dictionaries of the independent
// writer (NAME.records.json), and says where those dictionaries are. A user's
// clone has no such folder: the tests that need it skip.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tavlex::testing {

struct ExpectedEntry {
  std::u16string key, display;
  int attributes = 0;
  std::u16string translation, pronunciation, example;
};

// TAVLEX_TESTDATA/name, and whether the folder is there at all.
inline std::string TestdataFile(const std::string& name) { return std::string(TAVLEX_TESTDATA) + "/" + name; }
inline bool HaveTestdata() { return std::filesystem::is_directory(TAVLEX_TESTDATA); }
inline constexpr char kNoTestdata[] =
    "no " TAVLEX_TESTDATA
    ": the dictionaries of the independent writer come with the project's shared folder";

// The "entries" array of the file; fails the calling test when it cannot be read.
std::vector<ExpectedEntry> ReadExpectedEntries(const std::string& path);

}  // namespace tavlex::testing
