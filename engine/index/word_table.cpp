#include "engine/index/word_table.h"

#include <algorithm>
#include <span>
#include <vector>

#include "engine/format/little_endian.h"
#include "engine/format/varint.h"
#include "engine/index/index_format.h"
#include "engine/index/posting_list.h"

namespace tavlex {
void WordTable::Add(std::string_view word, uint32_t entry) {
  auto found = words_.find(word);
  if (found == words_.end()) found = words_.emplace(std::string(word), Growing{}).first;
  Growing& growing = found->second;
  if (growing.next > entry) return;  // noted for this entry already
  PutVarint(growing.gaps, entry - growing.next);
  growing.next = entry + 1;
  ++growing.count;
}

size_t WordTable::TableSize() const {
  return (words_.size() + kWordsPerPage - 1) / kWordsPerPage * kWordPageRow;
}

WordTable::Section WordTable::Encode(uint64_t start, uint32_t entryCount) {
  std::vector<std::pair<std::string, Growing>> sorted;
  sorted.reserve(words_.size());
  for (auto& [word, growing] : words_) sorted.emplace_back(word, std::move(growing));
  words_.clear();
  std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

  // The postings first, since the pages tell their lengths.
  std::vector<std::string> postings;
  postings.reserve(sorted.size());
  std::vector<uint32_t> entries;
  for (auto& [word, growing] : sorted) {
    // The list as it grew, decoded to be encoded in the smallest way.
    std::string list;
    PutVarint(list, uint64_t{growing.count} << 2);
    list += growing.gaps;
    std::string().swap(growing.gaps);
    DecodePosting(std::span(reinterpret_cast<const uint8_t*>(list.data()), list.size()), entryCount,
                  &entries);
    postings.push_back(EncodePosting(entries, entryCount));
  }

  Section section;
  section.words = static_cast<uint32_t>(sorted.size());
  section.flags = accentsKeepWords_ ? kAccentsKeepWords : 0;
  std::string pages;
  std::vector<uint64_t> postingStarts;  // of each page, from the start of the postings
  uint64_t postingBytes = 0;
  for (size_t first = 0; first < sorted.size(); first += kWordsPerPage) {
    std::string page;
    postingStarts.push_back(postingBytes);
    for (size_t i = first; i < sorted.size() && i < first + kWordsPerPage; ++i) {
      PutVarint(page, sorted[i].first.size());
      page += sorted[i].first;
      PutVarint(page, postings[i].size());
      postingBytes += kPostingChecksumSize + postings[i].size();
    }
    AppendU64(section.table, start + pages.size());
    AppendU32(section.table, static_cast<uint32_t>(page.size()));
    AppendU32(section.table, PageChecksum(page.data(), page.size()));
    AppendU64(section.table, 0);  // made absolute below, once the pages' size is known
    pages += page;
  }
  for (size_t p = 0; p < postingStarts.size(); ++p) {
    const uint64_t offset = start + pages.size() + postingStarts[p];
    WriteU64(section.table.data() + p * kWordPageRow + 16, offset);
  }
  for (const std::string& posting : postings) {
    AppendU32(pages, PageChecksum(posting.data(), posting.size()));
    pages += posting;
  }
  section.pages = std::move(pages);
  return section;
}

}  // namespace tavlex
