#include "tools/lookup/first_printed.h"

#include "base/utf8.h"
#include "engine/dictionary_name.h"

namespace tavlex::lookup {

void NotePrinted(std::optional<FirstPrinted>& first, const Entry& entry,
                 const std::shared_ptr<const Dictionary>& dictionary, std::u16string_view query) {
  if (first || !dictionary) return;
  first = FirstPrinted{entry, dictionary, std::u16string(query), 0, static_cast<uint32_t>(query.size()), {}};
}

void NotePrinted(std::optional<FirstPrinted>& first, const ScanHit& hit, std::u16string_view text,
                 uint32_t begin, uint32_t end) {
  const std::shared_ptr<const Dictionary> dictionary = hit.entry->dictionary.lock();
  if (first || !dictionary) return;
  first = FirstPrinted{*hit.entry, dictionary, std::u16string(text), begin, end, hit.form};
}

KeepReport KeepPrinted(wordbook::WordBook& book, const FirstPrinted& printed) {
  wordbook::KeptEntry kept =
      wordbook::EntryToKeep(printed.entry, DictionaryName(*printed.dictionary), printed.dictionary->path(),
                            printed.query, printed.coveredBegin, printed.coveredEnd);
  if (!printed.form.empty()) kept.headword = printed.form;
  const wordbook::Change change = book.Keep(std::move(kept));
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
