// What tavlex-wordbook does with the word book: list, show, remove and
// export its entries.
#pragma once

#include <ostream>

#include "cli/program.h"
#include "tools/wordbook/wordbook_options.h"
#include "wordbook/word_book.h"

namespace tavlex::wordbook {

enum ExitStatus { kDone = 0, kNotAll = 1, kCannotRun = cli::kUsageStatus };

// Runs the command on book, printing to out and reporting problems through
// program; the exit status.
ExitStatus RunWordBookCommand(const WordBookOptions& options, WordBook& book, std::ostream& out,
                              const cli::Program& program);

// An entry as list prints it: number, time, headword, the translation's
// first line and the dictionary, separated by TABs (those inside a field
// become spaces).
std::string ListLine(const KeptEntry& entry);

// An entry as show prints it: a line with its number, time and dictionary,
// then its headword, pronunciation, translation and example as tavlex-lookup
// prints an entry, and the text it was looked up in with the covered part
// in [brackets].
std::string ShownEntry(const KeptEntry& entry);

}  // namespace tavlex::wordbook
