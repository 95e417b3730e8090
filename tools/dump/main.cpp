// tavlex-dump: writes every entry of a PDIC dictionary as TSV or JSON lines.
#include <cstdio>
#include <string>

#include "base/utf8.h"
#include "cli/file_access.h"
#include "cli/program.h"
#include "engine/dictionary.h"
#include "tools/dump/dictionary_dump.h"
#include "tools/dump/dump_options.h"

namespace tavlex::dump {
namespace {

constexpr cli::Program kProgram("tavlex-dump");
constexpr size_t kOutputBuffer = 1 << 16;

enum ExitStatus { kAllWritten = 0, kPartlyWritten = 1, kCannotRun = cli::kUsageStatus };

bool WriteOut(std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

int Run(const DumpOptions& options) {
  const std::u16string path = Utf8ToUtf16(options.path);
  const std::shared_ptr<Dictionary> dictionary = Dictionary::Open(path, nullptr);
  if (!dictionary) {
    kProgram.Report(cli::OpenRefusal(path));
    return kCannotRun;
  }
  std::setvbuf(stdout, nullptr, _IOFBF, kOutputBuffer);
  const DumpResult result =
      DumpDictionary(*dictionary, options.json ? DumpFormat::kJson : DumpFormat::kTsv, WriteOut);
  for (const uint32_t block : result.unreadableBlocks) {
    kProgram.Report(options.path + ": data block " + std::to_string(block) +
                    " cannot be read; its entries are missing");
  }
  if (result.writeFailed || std::fflush(stdout) != 0) {
    kProgram.Report("cannot write to the standard output");
    return kPartlyWritten;
  }
  return result.unreadableBlocks.empty() ? kAllWritten : kPartlyWritten;
}

}  // namespace
}  // namespace tavlex::dump

int main(int argc, char** argv) {
  using namespace tavlex::dump;
  return kProgram.Main(argc, argv, ParseDumpOptions, kDumpUsage, Run);
}
