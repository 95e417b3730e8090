// tavlex-lookup --keep: the entry printed first, kept in the user's word
// book with the word it was looked up from, as the viewer keeps the first
// entry of its display.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/dictionary.h"
#include "engine/entry.h"
#include "wordbook/word_book.h"

namespace tavlex::lookup {

struct FirstPrinted {
  Entry entry;
  std::shared_ptr<const Dictionary> dictionary;
  std::u16string query;  // the word as given on the command line
};

// Records entry as printed first unless an entry was printed before it.
void NotePrinted(std::optional<FirstPrinted>& first, const Entry& entry,
                 const std::shared_ptr<const Dictionary>& dictionary, std::u16string_view query);

struct KeepReport {
  bool kept = false;    // kept now or kept already; false: it could not be
  std::string message;  // what to tell the user, without the program's name
};

// Keeps printed in book, the whole query marked as what it covered.
KeepReport KeepPrinted(wordbook::WordBook& book, const FirstPrinted& printed);

}  // namespace tavlex::lookup
