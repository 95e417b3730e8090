// tavlex-mkdic: builds a PDIC dictionary from a tab-separated text file.
#include <unistd.h>

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/atomic_file.h"
#include "cli/file_access.h"
#include "cli/program.h"
#include "tools/mkdic/dictionary_build.h"
#include "tools/mkdic/mkdic_options.h"
#include "tools/mkdic/tsv_records.h"

namespace tavlex::mkdic {
namespace {

constexpr cli::Program kProgram("tavlex-mkdic");

enum ExitStatus { kWritten = 0, kNotWritten = 1 };

// "FILE:LINE: message", or "FILE: message" for the input as a whole.
void ReportAll(const std::string& input, const std::vector<LineError>& errors) {
  for (const LineError& error : errors) {
    kProgram.Report(input + (error.line > 0 ? ":" + std::to_string(error.line) : std::string()) + ": " +
                    error.message);
  }
}

int Run(const MkdicOptions& options) {
  if (options.oldFormatVersion) kProgram.Report(kOldFormatVersionNotice);
  std::string text;
  try {
    text = cli::ReadWholeFile(options.input);
  } catch (const cli::FileError& error) {
    kProgram.Report(options.input + ": cannot read: " + error.what());
    return kNotWritten;
  }
  TsvRecords input = ReadTsvRecords(text);
  if (!input.errors.empty()) {
    ReportAll(options.input, input.errors);
    return kNotWritten;
  }
  for (dicwriter::Record& record : input.records) record.attributes = options.attributes;
  const BuiltDictionary built = BuildDictionary(input, options.writer);
  if (!built.errors.empty()) {
    ReportAll(options.input, built.errors);
    return kNotWritten;
  }

  // Through a temporary file renamed into place: a failed write leaves no
  // half-written dictionary behind.
  const std::string_view bytes(reinterpret_cast<const char*>(built.bytes.data()), built.bytes.size());
  std::error_code error;
  if (!ReplaceFileContents(options.output, bytes, ::write, &error)) {
    kProgram.Report(options.output + ": cannot write: " + error.message());
    return kNotWritten;
  }
  return kWritten;
}

}  // namespace
}  // namespace tavlex::mkdic

int main(int argc, char** argv) {
  using namespace tavlex::mkdic;
  return kProgram.Main(argc, argv, ParseMkdicOptions, kMkdicUsage, Run);
}
