// Puts records in the order the reader's search expects.
#pragma once

#include <vector>

#include "tools/dicwriter/dictionary_writer.h"
#include "tools/dicwriter/encoded_record.h"

namespace tavlex::dicwriter {

// Stable sort of both lists, which run in parallel: BOCU-1 headwords compare
// as UTF-16 code units, ANSI headwords as unsigned code page bytes.
void SortRecords(std::vector<Record>& records, std::vector<EncodedRecord>& encoded, Charset charset);

}  // namespace tavlex::dicwriter
