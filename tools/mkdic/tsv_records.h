// Reads the records of a dictionary from UTF-8 tab-separated text. Each line
// holds key, display, translation and, optionally, pronunciation and example;
// any of them but the key may be empty, and fields may use the escapes of
// tools/formats/tsv_escapes.h. Empty lines are skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::mkdic {

// What is wrong with an input line (counted from 1), or with the input as a
// whole when line is 0.
struct LineError {
  int line = 0;
  std::string message;

  bool operator==(const LineError&) const = default;
};

struct TsvRecords {
  std::vector<dicwriter::Record> records;  // in input order
  std::vector<int> lines;                  // the line of each record
  std::vector<LineError> errors;           // every line that could not be read
};

TsvRecords ReadTsvRecords(std::string_view text);

}  // namespace tavlex::mkdic
