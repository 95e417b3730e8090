// What one found entry shows, part by part, each with the font its dictionary
// gives that part: headword, pronunciation, translation, example, then an
// empty part in the default font that separates it from the next entry.
#pragma once

#include <QString>
#include <vector>

#include "engine/dictionary_settings.h"
#include "engine/entry.h"

namespace tavlex {

struct EntryPart {
  QString text;  // may hold CR LF breaks; the display cuts it into paragraphs
  QString face;  // empty: the display's default font
  int size = 0;
};

std::vector<EntryPart> EntryParts(const Entry& entry, const DictionarySettings& settings);

}  // namespace tavlex
