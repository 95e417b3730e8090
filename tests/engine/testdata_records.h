// Reads the records lists that come with the dictionaries of the independent
// writer (NAME.records.json): a small reader for exactly that JSON shape.
#pragma once

#include <string>
#include <vector>

namespace tavlex::testing {

struct ExpectedEntry {
  std::u16string key, display;
  int attributes = 0;
  std::u16string translation, pronunciation, example;
};

// The "entries" array of the file; fails the calling test when it cannot be read.
std::vector<ExpectedEntry> ReadExpectedEntries(const std::string& path);

}  // namespace tavlex::testing
