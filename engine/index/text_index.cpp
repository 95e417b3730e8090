#include "engine/index/text_index.h"

#include <algorithm>
#include <cstring>

#include "base/utf8.h"
#include "engine/format/little_endian.h"
#include "engine/format/varint.h"
#include "engine/index/posting_list.h"

namespace tavlex {
namespace {

// Pages of one index kept in memory: enough for the grams of many queries,
// little beside the dictionaries' own memory.
constexpr size_t kPageCacheBytes = 512 * 1024;

// Reads one gram's counts (engine/index/index_format.h); false when malformed.
bool GetCounts(std::span<const uint8_t> page, size_t* position, GramCounts* counts) {
  uint64_t first, headword = 0, broader = 0, broaderHeadword = 0;
  if (!GetVarint(page, position, &first)) return false;
  const uint64_t entries = first >> 2;
  if ((first & 1) && !GetVarint(page, position, &headword)) return false;
  if ((first & 2) && (!GetVarint(page, position, &broader) || !GetVarint(page, position, &broaderHeadword)))
    return false;
  if (entries > UINT32_MAX || headword > entries || broader > entries || broaderHeadword > headword)
    return false;
  *counts = {static_cast<uint32_t>(entries), static_cast<uint32_t>(headword),
             static_cast<uint32_t>(entries - broader), static_cast<uint32_t>(headword - broaderHeadword)};
  return true;
}

// Walks the grams of a page, calling take(gram, counts, posting) until it
// returns false; false when the page is malformed.
template <typename Take>
bool WalkPage(std::span<const uint8_t> page, Gram first, Take take) {
  size_t position = 0;
  Gram gram = first;
  for (size_t i = 0; position < page.size(); ++i) {
    uint64_t delta, length;
    GramCounts counts;
    if (i >= kGramsPerPage || !GetVarint(page, &position, &delta) || !GetCounts(page, &position, &counts) ||
        !GetVarint(page, &position, &length)) {
      return false;
    }
    // The first gram is the page's own; the others ascend.
    if ((i == 0) != (delta == 0) || gram + delta < gram || length > page.size() - position) return false;
    gram += delta;
    if (!take(gram, counts, page.subspan(position, length))) return true;
    position += length;
  }
  return true;
}

}  // namespace

std::shared_ptr<const TextIndex> TextIndex::Open(const std::filesystem::path& file,
                                                 const IndexStamp& expected) {
  std::optional<File> opened = File::Open(file);
  if (!opened) return nullptr;
  std::shared_ptr<TextIndex> index(new TextIndex);
  const uint64_t size = opened->Size();
  index->file_.emplace(std::move(*opened));
  if (!index->Parse(size, expected)) return nullptr;
  return index;
}

std::shared_ptr<const TextIndex> TextIndex::FromBytes(std::string bytes, const IndexStamp& expected) {
  std::shared_ptr<TextIndex> index(new TextIndex);
  index->bytes_ = std::move(bytes);
  if (!index->Parse(index->bytes_.size(), expected)) return nullptr;
  return index;
}

size_t TextIndex::ReadAt(uint64_t offset, uint8_t* buffer, size_t size) const {
  if (file_) return file_->ReadAt(offset, buffer, size);
  if (offset >= bytes_.size()) return 0;
  const size_t n = std::min<uint64_t>(size, bytes_.size() - offset);
  std::memcpy(buffer, bytes_.data() + offset, n);
  return n;
}

bool TextIndex::Parse(uint64_t fileSize, const IndexStamp& expected) {
  fileSize_ = fileSize;
  uint8_t header[kIndexHeaderSize];
  if (fileSize < kIndexHeaderSize || ReadAt(0, header, kIndexHeaderSize) != kIndexHeaderSize) return false;
  if (std::memcmp(header, kIndexMagic, sizeof kIndexMagic) != 0 || ReadU32(header + 8) != kIndexFormatVersion)
    return false;
  blockCount_ = ReadU32(header + 12);
  const uint64_t gramCount = ReadU32(header + 40);
  const uint32_t pathLength = ReadU32(header + 44);
  blocksPerUnit_ = ReadU32(header + 48);
  const uint64_t pageCount = ReadU32(header + 52);
  entryCount_ = ReadU32(header + 56);
  const uint64_t wordCount = ReadU32(header + 60);
  const uint64_t wordPageCount = ReadU32(header + 64);
  wordFlags_ = ReadU32(header + 68);
  // The writer fills every page but the last: the gram count tells the page count, and so for words.
  if ((gramCount + kGramsPerPage - 1) / kGramsPerPage != pageCount ||
      (wordCount + kWordsPerPage - 1) / kWordsPerPage != wordPageCount || pathLength > kLongestIndexedPath ||
      fileSize - kIndexHeaderSize < pathLength ||
      fileSize - kIndexHeaderSize - pathLength < pageCount * kPageRow + wordPageCount * kWordPageRow ||
      blocksPerUnit_ == 0 || blocksPerUnit_ > kMostBlocksPerUnit) {
    return false;
  }
  std::vector<uint8_t> rest(pathLength + pageCount * kPageRow + wordPageCount * kWordPageRow);
  if (ReadAt(kIndexHeaderSize, rest.data(), rest.size()) != rest.size()) return false;
  if (HeaderChecksum(header, rest.data(), rest.size()) != ReadU64(header + kCheckedHeader)) return false;

  IndexStamp stamp;
  stamp.path = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(rest.data()), pathLength));
  stamp.size = ReadU64(header + 16);
  stamp.modified = static_cast<int64_t>(ReadU64(header + 24));
  stamp.checksum = ReadU64(header + 32);
  stamp.blockCount = blockCount_;
  if (stamp != expected) return false;
  unitCount_ = UnitCount(blockCount_, blocksPerUnit_);
  // Every entry takes bytes of the dictionary: a count beyond them is no
  // dictionary's, and would only size a search's bitmaps.
  if (entryCount_ > stamp.size) return false;

  const uint64_t pagesStart = kIndexHeaderSize + rest.size();
  pages_.resize(pageCount);
  for (size_t i = 0; i < pageCount; ++i) {
    const uint8_t* row = rest.data() + pathLength + i * kPageRow;
    Page& page = pages_[i];
    page = {ReadU64(row), ReadU64(row + 8), ReadU32(row + 16), ReadU32(row + 20)};
    if (i > 0 && page.first <= pages_[i - 1].first) return false;
    if (page.offset < pagesStart || page.offset > fileSize || fileSize - page.offset < page.length)
      return false;
  }
  wordPages_.resize(wordPageCount);
  for (size_t i = 0; i < wordPageCount; ++i) {
    const uint8_t* row = rest.data() + pathLength + pageCount * kPageRow + i * kWordPageRow;
    WordPage& page = wordPages_[i];
    page = {ReadU64(row), ReadU32(row + 8), ReadU32(row + 12), ReadU64(row + 16)};
    if (page.offset < pagesStart || page.offset > fileSize || fileSize - page.offset < page.length ||
        page.postings > fileSize)
      return false;
  }
  return WordPostingsEndAtFileEnd();
}

TextIndex::PageBytes TextIndex::ReadPage(size_t number) const {
  {
    const std::lock_guard lock(cacheMutex_);
    for (auto it = cached_.begin(); it != cached_.end(); ++it) {
      if (it->first != number) continue;
      cached_.splice(cached_.begin(), cached_, it);
      return it->second;
    }
  }
  const Page& page = pages_[number];
  auto bytes = std::make_shared<std::vector<uint8_t>>(page.length);
  if (ReadAt(page.offset, bytes->data(), bytes->size()) != bytes->size() ||
      PageChecksum(bytes->data(), bytes->size()) != page.checksum) {
    return nullptr;
  }
  const std::lock_guard lock(cacheMutex_);
  if (bytes->size() <= kPageCacheBytes) {
    cached_.emplace_front(number, bytes);
    cachedBytes_ += bytes->size();
    while (cachedBytes_ > kPageCacheBytes) {
      cachedBytes_ -= cached_.back().second->size();
      cached_.pop_back();
    }
  }
  return bytes;
}

TextIndex::Found TextIndex::Look(Gram gram, bool units) const {
  Found found;
  const auto after = std::upper_bound(pages_.begin(), pages_.end(), gram,
                                      [](Gram g, const Page& page) { return g < page.first; });
  if (after == pages_.begin()) return found;
  const size_t number = static_cast<size_t>(after - pages_.begin()) - 1;
  const PageBytes bytes = ReadPage(number);
  if (!bytes) return {false, {}, {}};
  const bool sound = WalkPage(*bytes, pages_[number].first,
                              [&](Gram g, const GramCounts& counts, std::span<const uint8_t> posting) {
                                if (g < gram) return true;
                                if (g == gram) {
                                  found.counts = counts;
                                  if (units && !DecodePosting(posting, unitCount_, &found.units))
                                    found.sound = false;
                                }
                                return false;
                              });
  found.sound = found.sound && sound;
  return found;
}

std::optional<GramCounts> TextIndex::Counts(Gram gram) const {
  const Found found = Look(gram, false);
  if (!found.sound) return std::nullopt;
  return found.counts;
}

std::optional<std::vector<uint32_t>> TextIndex::Candidates(std::span<const Gram> grams) const {
  std::vector<Gram> wanted(grams.begin(), grams.end());
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  std::vector<uint32_t> units;
  if (wanted.empty()) {
    for (uint32_t u = 0; u < unitCount_; ++u) units.push_back(u);
  }
  for (size_t i = 0; i < wanted.size(); ++i) {
    Found holding = Look(wanted[i], true);
    if (!holding.sound) return std::nullopt;
    if (i == 0) {
      units = std::move(holding.units);
    } else {
      std::vector<uint32_t> both;
      std::set_intersection(units.begin(), units.end(), holding.units.begin(), holding.units.end(),
                            std::back_inserter(both));
      units = std::move(both);
    }
    if (units.empty()) break;
  }
  std::vector<uint32_t> blocks;
  for (const uint32_t unit : units) {
    const uint64_t end = std::min<uint64_t>(uint64_t{unit + 1} * blocksPerUnit_, blockCount_);
    for (uint64_t b = uint64_t{unit} * blocksPerUnit_; b < end; ++b)
      blocks.push_back(static_cast<uint32_t>(b));
  }
  return blocks;
}

}  // namespace tavlex
