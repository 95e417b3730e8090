#include "wordbook/kept_entry.h"

#include <xxhash.h>

#include <algorithm>

namespace tavlex::wordbook {
namespace {

bool IsTrailSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// An offset moved back off the second half of a surrogate pair.
uint32_t OnCharacter(std::u16string_view text, uint32_t offset) {
  return offset > 0 && offset < text.size() && IsTrailSurrogate(text[offset]) ? offset - 1 : offset;
}

}  // namespace

EntryIdentity IdentityOf(const KeptEntry& entry) {
  return {entry.dictionaryPath, entry.entryHeadword, entry.translation};
}

EntryIdentity IdentityOf(const Entry& entry, std::u16string_view dictionaryPath) {
  return {dictionaryPath, entry.display.empty() ? entry.key : entry.display, entry.translation};
}

uint64_t IdentityHash(const EntryIdentity& identity) {
  // Each field after its length, so that moving text from one field to the
  // next gives another hash.
  std::u16string bytes;
  bytes.reserve(identity.dictionaryPath.size() + identity.headword.size() + identity.translation.size() + 6);
  for (const std::u16string_view field : {identity.dictionaryPath, identity.headword, identity.translation}) {
    const auto size = static_cast<uint32_t>(field.size());
    bytes.push_back(static_cast<char16_t>(size >> 16));
    bytes.push_back(static_cast<char16_t>(size & 0xFFFF));
    bytes += field;
  }
  return XXH3_64bits(bytes.data(), bytes.size() * sizeof(char16_t));
}

KeptEntry EntryToKeep(const Entry& entry, std::u16string_view dictionaryName,
                      std::u16string_view dictionaryPath, std::u16string_view sourceText,
                      uint32_t coveredBegin, uint32_t coveredEnd) {
  KeptEntry kept;
  kept.dictionaryName = dictionaryName;
  kept.dictionaryPath = dictionaryPath;
  kept.headword = IdentityOf(entry, dictionaryPath).headword;
  kept.entryHeadword = kept.headword;
  kept.pronunciation = entry.pronunciation;
  kept.translation = entry.translation;
  kept.example = entry.example;
  kept.sourceText = sourceText;
  kept.coveredBegin = coveredBegin;
  kept.coveredEnd = coveredEnd;
  NarrowCoveredRange(kept);
  return kept;
}

void NarrowCoveredRange(KeptEntry& entry) {
  const std::u16string_view text = entry.sourceText;
  const auto size = static_cast<uint32_t>(std::min<size_t>(text.size(), UINT32_MAX));
  const uint32_t begin = OnCharacter(text, std::min(entry.coveredBegin, size));
  uint32_t end = std::clamp(entry.coveredEnd, begin, size);
  // The end takes in the whole of a pair it would split.
  if (end < size && end > begin && IsTrailSurrogate(text[end])) ++end;
  entry.coveredBegin = begin;
  entry.coveredEnd = end;
}

}  // namespace tavlex::wordbook
