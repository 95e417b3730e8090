// tavlex-dump: writes every entry of a PDIC dictionary as TSV or JSON lines.
#include <cstdio>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "engine/dictionary.h"
#include "tools/cli/argument_scanner.h"
#include "tools/cli/file_access.h"
#include "tools/dump/dictionary_dump.h"
#include "tools/dump/dump_options.h"

namespace tavlex::dump {
namespace {

constexpr char kProgram[] = "tavlex-dump";
constexpr size_t kOutputBuffer = 1 << 16;

enum ExitStatus { kAllWritten = 0, kPartlyWritten = 1, kCannotRun = 2 };

void Report(const std::string& message) { std::cerr << kProgram << ": " << message << '\n'; }

bool WriteOut(std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

int Run(std::span<const std::string> args) {
  DumpOptions options;
  try {
    options = ParseDumpOptions(args);
  } catch (const cli::UsageError& error) {
    Report(error.what());
    std::cerr << "Try '" << kProgram << " --help'.\n";
    return kCannotRun;
  }
  if (options.help) {
    std::cout << kDumpUsage;
    return kAllWritten;
  }

  const std::u16string path = Utf8ToUtf16(options.path);
  const std::shared_ptr<Dictionary> dictionary = Dictionary::Open(path, nullptr);
  if (!dictionary) {
    Report(cli::OpenRefusal(path));
    return kCannotRun;
  }
  std::setvbuf(stdout, nullptr, _IOFBF, kOutputBuffer);
  const DumpResult result =
      DumpDictionary(*dictionary, options.json ? DumpFormat::kJson : DumpFormat::kTsv, WriteOut);
  for (const uint32_t block : result.unreadableBlocks) {
    Report(options.path + ": data block " + std::to_string(block) +
           " cannot be read; its entries are missing");
  }
  if (result.writeFailed || std::fflush(stdout) != 0) {
    Report("cannot write to the standard output");
    return kPartlyWritten;
  }
  return result.unreadableBlocks.empty() ? kAllWritten : kPartlyWritten;
}

}  // namespace
}  // namespace tavlex::dump

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tavlex::dump::Run(args);
}
