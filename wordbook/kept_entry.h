// An entry kept in the word book: its own copy of the dictionary's text, so
// that removing or changing the dictionary leaves it as it was, the text it
// was looked up from with the part the look-up covered, and when it was kept.
//
// An entry is kept once: its identity is the dictionary's path, the entry's
// own headword there and the translation, whatever form it was found and kept
// under. The same headword of another dictionary, or of the same dictionary
// with another translation (a homograph), is another entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/entry.h"

namespace tavlex::wordbook {

struct KeptEntry {
  int64_t id = 0;      // given by the word book; never used again for another entry
  int64_t keptAt = 0;  // milliseconds since 1970-01-01 UTC; Keep fills it in when 0
  std::u16string dictionaryName;
  std::u16string dictionaryPath;
  std::u16string headword;  // the form found (the display form when the entry has one)
  // The entry's own headword in its dictionary (its display form when it has
  // one), which a form found from a text may differ from; the word book makes
  // it the headword when it is empty.
  std::u16string entryHeadword;
  std::u16string pronunciation;
  std::u16string translation;  // may hold CR LF line breaks, as the dictionary's
  std::u16string example;
  std::u16string sourceText;  // the selection or the box's text it was looked up from
  // The part of sourceText the headword covered: UTF-16 offsets [begin, end),
  // inside sourceText (begin == end: nothing marked).
  uint32_t coveredBegin = 0;
  uint32_t coveredEnd = 0;

  bool operator==(const KeptEntry&) const = default;
};

// The fields an entry is told apart by.
struct EntryIdentity {
  std::u16string_view dictionaryPath;
  std::u16string_view headword;
  std::u16string_view translation;
};

EntryIdentity IdentityOf(const KeptEntry& entry);
// The identity the same entry of a result display will have once kept.
EntryIdentity IdentityOf(const Entry& entry, std::u16string_view dictionaryPath);

// A 64-bit hash of the identity: what the marks look up, and the key the word
// book finds an entry by before it compares the fields themselves.
uint64_t IdentityHash(const EntryIdentity& identity);

// What to keep of entry, looked up from sourceText where [coveredBegin,
// coveredEnd) matched. The range is narrowed to the text.
KeptEntry EntryToKeep(const Entry& entry, std::u16string_view dictionaryName,
                      std::u16string_view dictionaryPath, std::u16string_view sourceText,
                      uint32_t coveredBegin, uint32_t coveredEnd);

// The range narrowed to lie within entry's source text, begin ≤ end, without
// splitting a surrogate pair: what a row read from a file of any origin
// holds afterwards.
void NarrowCoveredRange(KeptEntry& entry);

}  // namespace tavlex::wordbook
