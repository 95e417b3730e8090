#include "view/entry_parts.h"

#include "platform/qt_text.h"

namespace tavlex {

std::vector<EntryPart> EntryParts(const Entry& entry, const DictionarySettings& s) {
  std::vector<EntryPart> parts;
  const std::u16string& headword = entry.display.empty() ? entry.key : entry.display;
  parts.push_back({ToQString(headword), ToQString(s.indexFont), s.indexSize});
  if (s.showPhonetic && !entry.pronunciation.empty()) {
    parts.push_back({ToQString(entry.pronunciation), ToQString(s.phoneticFont), s.phoneticSize});
  }
  parts.push_back({ToQString(entry.translation), ToQString(s.transFont), s.transSize});
  if (s.showSample && !entry.example.empty()) {
    parts.push_back({ToQString(entry.example), ToQString(s.sampleFont), s.sampleSize});
  }
  parts.push_back({});
  return parts;
}

}  // namespace tavlex
