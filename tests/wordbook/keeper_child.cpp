// What the tests of concurrent use and of a killed program run in processes
// of their own: keeps the entries "word-I" for I in [FIRST, FIRST + COUNT)
// in the word book FILE, one change each, and prints "I kept" or "I already"
// once each change is confirmed.
//
//   keeper_child FILE FIRST COUNT
#include <unistd.h>

#include <cstdio>
#include <string>

#include "wordbook/word_book.h"

int main(int argc, char** argv) {
  using namespace tavlex::wordbook;
  if (argc != 4) return 2;
  WordBook book(argv[1]);
  const int first = std::stoi(argv[2]);
  const int count = std::stoi(argv[3]);
  for (int i = first; i < first + count; ++i) {
    KeptEntry entry;
    const std::string word = "word-" + std::to_string(i);
    entry.headword = std::u16string(word.begin(), word.end());
    entry.dictionaryPath = u"/dic/english.dic";
    entry.translation = u"訳";
    const Change change = book.Keep(entry);
    if (change.outcome == Change::kFailed) {
      std::fprintf(stderr, "%d: %s\n", i, change.error.c_str());
      return 1;
    }
    // Unbuffered: a line printed is a change confirmed, even when killed right after.
    const std::string line = std::to_string(i) + (change.outcome == Change::kDone ? " kept\n" : " already\n");
    if (::write(STDOUT_FILENO, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return 1;
  }
  return 0;
}
