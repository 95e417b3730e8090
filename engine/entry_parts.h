// What one found entry shows, part by part, each with the font its dictionary
// gives that part: the headword (its display form when it has one), the
// pronunciation and the example where the dictionary shows them and they are
// not empty, and the translation always, even when empty. The viewer and the
// lookup tool both show entries this way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/dictionary_settings.h"
#include "engine/entry.h"
#include "engine/entry_fields.h"

namespace tavlex {

struct EntryPart {
  std::u16string text;                         // may hold CR LF line breaks
  std::u16string face;                         // empty: the default font
  int32_t size = 0;                            // points
  SearchField field = SearchField::kHeadword;  // where the text comes from
};

std::vector<EntryPart> EntryParts(const Entry& entry, const DictionarySettings& settings);

}  // namespace tavlex
