// tavlex-wordbook: lists, shows, removes and exports the entries kept in the
// word book.
#include <iostream>

#include "cli/program.h"
#include "tools/wordbook/wordbook_commands.h"
#include "tools/wordbook/wordbook_options.h"
#include "wordbook/word_book_path.h"

namespace tavlex::wordbook {
namespace {

constexpr cli::Program kProgram("tavlex-wordbook");

int Run(const WordBookOptions& options) {
  const std::filesystem::path file =
      options.dbPath ? std::filesystem::path(*options.dbPath) : WordBookPath(UserDesktopFolders());
  if (file.empty()) {
    kProgram.Report(Describe({Access::kUnavailable, Problem::kNoFolder, ""}, file));
    return kCannotRun;
  }
  WordBook book(file);
  const ExitStatus status = RunWordBookCommand(options, book, std::cout, kProgram);
  std::cout.flush();
  if (!std::cout) {
    kProgram.Report("cannot write to the standard output");
    return kCannotRun;
  }
  return status;
}

}  // namespace
}  // namespace tavlex::wordbook

int main(int argc, char** argv) {
  using namespace tavlex::wordbook;
  return kProgram.Main(argc, argv, ParseWordBookOptions, kWordBookUsage, Run);
}
