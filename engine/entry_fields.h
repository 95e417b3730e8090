// The fields of an entry by name, and sets of them: what a full-text search
// looks in, what its index keys on, and where a match or a part comes from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/entry.h"

namespace tavlex {

enum class SearchField : uint8_t { kHeadword, kDisplay, kTranslation, kExample, kPronunciation };
inline constexpr size_t kSearchFieldCount = 5;

// A set of fields, one bit per SearchField.
using FieldSet = uint8_t;
constexpr FieldSet FieldBit(SearchField field) {
  return static_cast<FieldSet>(1u << static_cast<unsigned>(field));
}
inline constexpr FieldSet kAllFields = (1u << kSearchFieldCount) - 1;

// The text of one field: the headword field is the key, the display field the display form.
inline std::u16string_view FieldText(const Entry& entry, SearchField field) {
  switch (field) {
    case SearchField::kHeadword:
      return entry.key;
    case SearchField::kDisplay:
      return entry.display;
    case SearchField::kTranslation:
      return entry.translation;
    case SearchField::kExample:
      return entry.example;
    case SearchField::kPronunciation:
      return entry.pronunciation;
  }
  return {};
}

}  // namespace tavlex
