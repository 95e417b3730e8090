// tavlex-lookup --keep: the entry printed first, kept in the user's word
// book with the word it was looked up from, as the viewer keeps the first
// entry of its display.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/dictionary.h"
#include "engine/entry.h"
#include "engine/search/text_scan.h"
#include "wordbook/word_book.h"

namespace tavlex::lookup {

struct FirstPrinted {
  Entry entry;
  std::shared_ptr<const Dictionary> dictionary;
  std::u16string query;  // the word as given on the command line, or the text scanned
  // The part of query the entry covers, and the headword to keep when it is
  // the form a scan looked up rather than the entry's own.
  uint32_t coveredBegin = 0;
  uint32_t coveredEnd = 0;
  std::u16string form;
};

// Records entry as printed first, covering the whole query, unless an entry
// was printed before it.
void NotePrinted(std::optional<FirstPrinted>& first, const Entry& entry,
                 const std::shared_ptr<const Dictionary>& dictionary, std::u16string_view query);

// Records a scan's hit as printed first, covering [begin, end) of text.
void NotePrinted(std::optional<FirstPrinted>& first, const ScanHit& hit, std::u16string_view text,
                 uint32_t begin, uint32_t end);

struct KeepReport {
  bool kept = false;    // kept now or kept already; false: it could not be
  std::string message;  // what to tell the user, without the program's name
};

// Keeps printed in book, the part of the query it covered marked.
KeepReport KeepPrinted(wordbook::WordBook& book, const FirstPrinted& printed);

}  // namespace tavlex::lookup
