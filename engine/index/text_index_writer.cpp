#include "engine/index/text_index_writer.h"

#include <algorithm>
#include <span>

#include "base/utf8.h"
#include "engine/format/little_endian.h"
#include "engine/format/varint.h"
#include "engine/index/posting_list.h"

namespace tavlex {
namespace {

constexpr size_t kFirstSlots = 1024;
constexpr Gram kHashFactor = 0x9E3779B97F4A7C15;  // Fibonacci hashing

}  // namespace

TextIndexWriter::TextIndexWriter(uint32_t blockCount, uint32_t blocksPerUnit)
    : blockCount_(blockCount), blocksPerUnit_(blocksPerUnit), slots_(kFirstSlots) {}

size_t TextIndexWriter::SlotOf(Gram gram) const {
  return static_cast<size_t>((gram * kHashFactor) >> 32) & (slots_.size() - 1);
}

TextIndexWriter::Growing& TextIndexWriter::Find(Gram gram) {
  size_t slot = SlotOf(gram);
  for (; slots_[slot] != 0; slot = (slot + 1) & (slots_.size() - 1)) {
    if (postings_[slots_[slot] - 1].gram == gram) return postings_[slots_[slot] - 1];
  }
  postings_.push_back({gram, {}, 0, 0, {}});
  slots_[slot] = static_cast<uint32_t>(postings_.size());
  if (postings_.size() * 2 > slots_.size()) {
    // Half full: twice the slots, everything placed anew.
    slots_.assign(slots_.size() * 2, 0);
    for (size_t i = 0; i < postings_.size(); ++i) {
      size_t s = SlotOf(postings_[i].gram);
      while (slots_[s] != 0) s = (s + 1) & (slots_.size() - 1);
      slots_[s] = static_cast<uint32_t>(i + 1);
    }
  }
  return postings_.back();
}

void TextIndexWriter::Add(uint32_t unit, std::span<const std::pair<Gram, GramCounts>> grams) {
  // The table is far larger than the caches: the slots of later grams are
  // fetched while earlier ones are noted.
  constexpr size_t kSlotAhead = 16;
  constexpr size_t kPostingAhead = 8;
  for (size_t k = 0; k < grams.size(); ++k) {
    if (k + kSlotAhead < grams.size()) __builtin_prefetch(&slots_[SlotOf(grams[k + kSlotAhead].first)]);
    if (k + kPostingAhead < grams.size()) {
      const uint32_t ahead = slots_[SlotOf(grams[k + kPostingAhead].first)];
      if (ahead != 0) __builtin_prefetch(&postings_[ahead - 1]);
    }
    const auto& [gram, counts] = grams[k];
    Growing& growing = Find(gram);
    growing.counts.entries += counts.entries;
    growing.counts.headwordEntries += counts.headwordEntries;
    growing.counts.narrowEntries += counts.narrowEntries;
    growing.counts.narrowHeadwordEntries += counts.narrowHeadwordEntries;
    if (growing.next > unit) continue;  // noted for this unit already
    PutVarint(growing.gaps, unit - growing.next);
    growing.next = unit + 1;
    ++growing.count;
  }
}

std::string TextIndexWriter::Finish(const IndexStamp& stamp, uint32_t entryCount) {
  const uint32_t unitCount = UnitCount(blockCount_, blocksPerUnit_);
  std::sort(postings_.begin(), postings_.end(),
            [](const Growing& a, const Growing& b) { return a.gram < b.gram; });
  slots_.clear();
  std::vector<Gram> grams;
  grams.reserve(postings_.size());
  for (const Growing& growing : postings_) grams.push_back(growing.gram);

  std::string pages;
  std::string table;
  std::vector<uint32_t> units;
  for (size_t first = 0; first < grams.size(); first += kGramsPerPage) {
    std::string page;
    for (size_t i = first; i < grams.size() && i < first + kGramsPerPage; ++i) {
      // The list as it grew, decoded to be encoded in the smallest way.
      std::string list;
      PutVarint(list, uint64_t{postings_[i].count} << 2);
      list += postings_[i].gaps;
      std::string().swap(postings_[i].gaps);
      DecodePosting(std::span(reinterpret_cast<const uint8_t*>(list.data()), list.size()), unitCount, &units);
      const std::string posting = EncodePosting(units, unitCount);
      PutVarint(page, i == first ? 0 : grams[i] - grams[i - 1]);
      const GramCounts& counts = postings_[i].counts;
      // Most grams are in no headword and folded alike by every folding: one byte.
      const bool headwords = counts.headwordEntries != 0;
      const bool narrower =
          counts.narrowEntries != counts.entries || counts.narrowHeadwordEntries != counts.headwordEntries;
      PutVarint(page, uint64_t{counts.entries} << 2 | (narrower ? 2 : 0) | (headwords ? 1 : 0));
      if (headwords) PutVarint(page, counts.headwordEntries);
      if (narrower) {
        PutVarint(page, counts.entries - counts.narrowEntries);
        PutVarint(page, counts.headwordEntries - counts.narrowHeadwordEntries);
      }
      PutVarint(page, posting.size());
      page += posting;
    }
    AppendU64(table, grams[first]);
    AppendU64(table, pages.size());  // from the start of the pages; made absolute below
    AppendU32(table, static_cast<uint32_t>(page.size()));
    AppendU32(table, PageChecksum(page.data(), page.size()));
    pages += page;
  }

  const std::string path = Utf16ToUtf8(stamp.path);
  const uint64_t pagesStart = kIndexHeaderSize + path.size() + table.size() + words_.TableSize();
  for (size_t row = 0; row < table.size(); row += kPageRow) {
    char* offset = table.data() + row + 8;
    WriteU64(offset, ReadU64(reinterpret_cast<const uint8_t*>(offset)) + pagesStart);
  }
  const WordTable::Section words = words_.Encode(pagesStart + pages.size(), entryCount);
  std::string out(kIndexMagic, sizeof kIndexMagic);
  AppendU32(out, kIndexFormatVersion);
  AppendU32(out, blockCount_);
  AppendU64(out, stamp.size);
  AppendU64(out, static_cast<uint64_t>(stamp.modified));
  AppendU64(out, stamp.checksum);
  AppendU32(out, static_cast<uint32_t>(grams.size()));
  AppendU32(out, static_cast<uint32_t>(path.size()));
  AppendU32(out, blocksPerUnit_);
  AppendU32(out, static_cast<uint32_t>(table.size() / kPageRow));
  AppendU32(out, entryCount);
  AppendU32(out, words.words);
  AppendU32(out, static_cast<uint32_t>(words.table.size() / kWordPageRow));
  AppendU32(out, words.flags);
  const std::string rest = path + table + words.table;
  AppendU64(out, HeaderChecksum(out.data(), rest.data(), rest.size()));
  out += rest;
  out += pages;
  out += words.pages;
  return out;
}

}  // namespace tavlex
