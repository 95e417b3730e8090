// WordTable: the words (engine/index/text_words.h) of a dictionary being
// indexed, each with the entries holding it, laid out as the words of the
// index file (engine/index/index_format.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tavlex {

class WordTable {
 public:
  // Notes that entry holds word; entries come in ascending order.
  void Add(std::string_view word, uint32_t entry);
  // Some field's words change when accents are folded.
  void NoteAccentsChangeWords() { accentsKeepWords_ = false; }

  struct Section {
    std::string table;  // the word page table
    std::string pages;  // the word pages, then the postings
    uint32_t words = 0;
    uint32_t flags = 0;
  };
  // The section for a file whose word pages begin at offset start; the table is empty afterwards.
  Section Encode(uint64_t start, uint32_t entryCount);
  // The bytes the word page table will take.
  size_t TableSize() const;

 private:
  // The entries of one word as a list (engine/index/posting_list.h) while it grows.
  struct Growing {
    std::string gaps;
    uint32_t count = 0;
    uint32_t next = 0;  // the least the next entry can be
  };
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view word) const { return std::hash<std::string_view>()(word); }
  };

  std::unordered_map<std::string, Growing, Hash, std::equal_to<>> words_;
  bool accentsKeepWords_ = true;
};

}  // namespace tavlex
