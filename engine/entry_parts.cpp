#include "engine/entry_parts.h"

namespace tavlex {

std::vector<EntryPart> EntryParts(const Entry& entry, const DictionarySettings& s) {
  std::vector<EntryPart> parts;
  parts.push_back({entry.display.empty() ? entry.key : entry.display, s.indexFont, s.indexSize});
  if (s.showPhonetic && !entry.pronunciation.empty()) {
    parts.push_back({entry.pronunciation, s.phoneticFont, s.phoneticSize});
  }
  parts.push_back({entry.translation, s.transFont, s.transSize});
  if (s.showSample && !entry.example.empty()) parts.push_back({entry.example, s.sampleFont, s.sampleSize});
  return parts;
}

}  // namespace tavlex
