#include "engine/entry_parts.h"

namespace tavlex {

std::vector<EntryPart> EntryParts(const Entry& entry, const DictionarySettings& s) {
  std::vector<EntryPart> parts;
  if (entry.display.empty()) {
    parts.push_back({entry.key, s.indexFont, s.indexSize, SearchField::kHeadword});
  } else {
    parts.push_back({entry.display, s.indexFont, s.indexSize, SearchField::kDisplay});
  }
  if (s.showPhonetic && !entry.pronunciation.empty()) {
    parts.push_back({entry.pronunciation, s.phoneticFont, s.phoneticSize, SearchField::kPronunciation});
  }
  parts.push_back({entry.translation, s.transFont, s.transSize, SearchField::kTranslation});
  if (s.showSample && !entry.example.empty()) {
    parts.push_back({entry.example, s.sampleFont, s.sampleSize, SearchField::kExample});
  }
  return parts;
}

}  // namespace tavlex
