// The TSV reader of tavlex-mkdic, and for small inputs it accepts, the
// dictionary built from the records. Every record must come from a line of
// the input, in order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tools/mkdic/dictionary_build.h"
#include "tools/mkdic/tsv_records.h"

namespace {

// Building is far slower than reading; small inputs still reach every path.
constexpr size_t kMostRecordsToBuild = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const tavlex::mkdic::TsvRecords read = tavlex::mkdic::ReadTsvRecords(text);
  const long lineCount = std::count(text.begin(), text.end(), '\n') + 1;
  if (read.records.size() != read.lines.size()) __builtin_trap();
  for (size_t i = 0; i < read.lines.size(); ++i) {
    if (read.lines[i] < 1 || read.lines[i] > lineCount || (i > 0 && read.lines[i] <= read.lines[i - 1])) {
      __builtin_trap();
    }
    if (read.records[i].key.empty()) __builtin_trap();
  }
  for (const tavlex::mkdic::LineError& error : read.errors) {
    if (error.line < 0 || error.line > lineCount || error.message.empty()) __builtin_trap();
  }
  if (read.errors.empty() && read.records.size() <= kMostRecordsToBuild) {
    const tavlex::mkdic::BuiltDictionary built = tavlex::mkdic::BuildDictionary(read, {});
    if (built.bytes.empty() == built.errors.empty()) __builtin_trap();
  }
  return 0;
}
