// Entry: one decoded dictionary record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tavlex {

class Dictionary;

struct Entry {
  std::u16string key;          // what searches compare: the headword (BOCU-1: before its first TAB)
  std::u16string display;      // the form shown instead of key when not empty (BOCU-1 only)
  uint8_t attributes = 0;      // the record's attribute byte
  std::u16string translation;  // empty when only headwords were decoded
  std::u16string pronunciation;
  std::u16string example;
  // The dictionary that decoded the entry. Weak, because an entry may outlive
  // its dictionary in a result list that is still held after a removal.
  std::weak_ptr<const Dictionary> dictionary;
};

}  // namespace tavlex
