#include "tools/lookup/first_printed.h"

#include "base/utf8.h"
#include "engine/dictionary_name.h"

namespace tavlex::lookup {

void NotePrinted(std::optional<FirstPrinted>& first, const Entry& entry,
                 const std::shared_ptr<const Dictionary>& dictionary, std::u16string_view query) {
  if (first || !dictionary) return;
  first = FirstPrinted{entry, dictionary, std::u16string(query)};
}

KeepReport KeepPrinted(wordbook::WordBook& book, const FirstPrinted& printed) {
  const wordbook::Change change = book.Keep(
      wordbook::EntryToKeep(printed.entry, DictionaryName(*printed.dictionary), printed.dictionary->path(),
                            printed.query, 0, static_cast<uint32_t>(printed.query.size())));
  const std::string what =
      Utf16ToUtf8(change.entry.headword.empty() ? printed.entry.key : change.entry.headword) + " (" +
      Utf16ToUtf8(DictionaryName(*printed.dictionary)) + ")";
  const std::string where = book.file().string();
  switch (change.outcome) {
    case wordbook::Change::kDone:
      return {true, "kept " + what + " in " + where};
    case wordbook::Change::kAlreadyKept:
      return {true, what + " is kept already in " + where};
    default:
      return {false, "cannot keep " + what + ": " + change.error};
  }
}

}  // namespace tavlex::lookup
