// Turns the records read from a TSV into the bytes of a dictionary file, or
// into the reasons why it cannot be written, tied to input lines where the
// fault lies with one record.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/dicwriter/dictionary_writer.h"
#include "tools/mkdic/tsv_records.h"

namespace tavlex::mkdic {

struct BuiltDictionary {
  std::vector<uint8_t> bytes;  // the whole file; empty when there are errors
  std::vector<LineError> errors;
};

BuiltDictionary BuildDictionary(const TsvRecords& input, const dicwriter::Options& options);

}  // namespace tavlex::mkdic
