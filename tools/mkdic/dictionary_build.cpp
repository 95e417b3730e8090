#include "tools/mkdic/dictionary_build.h"

namespace tavlex::mkdic {
namespace {

constexpr int kWholeInput = 0;

// The writer names a record by its text, not by where it came from. Writing
// each record alone finds the ones it refuses, with their lines; this runs
// only after the whole dictionary failed.
std::vector<LineError> FindUnwritableRecords(const TsvRecords& input, const dicwriter::Options& options) {
  std::vector<LineError> errors;
  for (size_t i = 0; i < input.records.size(); ++i) {
    try {
      dicwriter::WriteDictionary({input.records[i]}, options);
    } catch (const dicwriter::WriterError& error) {
      errors.push_back({input.lines[i], error.what()});
    }
  }
  return errors;
}

}  // namespace

BuiltDictionary BuildDictionary(const TsvRecords& input, const dicwriter::Options& options) {
  BuiltDictionary built;
  if (input.records.empty()) {
    built.errors.push_back({kWholeInput, "holds no records"});
    return built;
  }
  try {
    try {
      built.bytes = dicwriter::WriteDictionary(input.records, options).bytes;
    } catch (const dicwriter::WriterError&) {
      // Past 65,535 blocks the numbers need four bytes. Any other refusal
      // fails again, and is then traced to its records.
      if (options.fourByteBlockNumbers) throw;
      dicwriter::Options wide = options;
      wide.fourByteBlockNumbers = true;
      built.bytes = dicwriter::WriteDictionary(input.records, wide).bytes;
    }
  } catch (const dicwriter::WriterError& error) {
    built.errors = FindUnwritableRecords(input, options);
    if (built.errors.empty()) built.errors.push_back({kWholeInput, error.what()});
  }
  return built;
}

}  // namespace tavlex::mkdic
