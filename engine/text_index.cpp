#include "engine/text_index.h"

#include <sys/stat.h>
#include <xxhash.h>

#include <algorithm>
#include <cstring>

#include "base/utf8.h"
#include "engine/dictionary.h"
#include "engine/little_endian.h"
#include "engine/posting_list.h"

namespace tavlex {
namespace {

constexpr char kMagic[8] = {'T', 'A', 'V', 'L', 'E', 'X', 'T', 'I'};
constexpr uint32_t kFormatVersion = 2;
constexpr size_t kHeaderSize = 64;
constexpr size_t kCheckedHeader = 56;  // the bytes before the header checksum
constexpr size_t kPageRow = 24;
constexpr uint32_t kLongestPath = 64 * 1024;
constexpr size_t kGramsPerPage = 128;
constexpr int32_t kUnitBytes = 1024;
constexpr uint32_t kMostBlocksPerUnit = 4096;
constexpr size_t kFirstSlots = 1024;
constexpr Gram kHashFactor = 0x9E3779B97F4A7C15;  // Fibonacci hashing

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}
void PutU64(std::string& out, uint64_t value) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

uint32_t PageChecksum(const void* data, size_t size) {
  return static_cast<uint32_t>(XXH3_64bits(data, size));
}

// XXH3 of the checked header bytes followed by the path and the page table.
uint64_t HeaderChecksum(const void* header, const void* rest, size_t restSize) {
  XXH3_state_t* state = XXH3_createState();
  XXH3_64bits_reset(state);
  XXH3_64bits_update(state, header, kCheckedHeader);
  XXH3_64bits_update(state, rest, restSize);
  const uint64_t checksum = XXH3_64bits_digest(state);
  XXH3_freeState(state);
  return checksum;
}

// Walks the grams of a page, calling take(gram, posting) until it returns
// false; false when the page is malformed.
template <typename Take>
bool WalkPage(std::span<const uint8_t> page, Gram first, Take take) {
  size_t position = 0;
  Gram gram = first;
  for (size_t i = 0; position < page.size(); ++i) {
    uint64_t delta;
    uint64_t length;
    if (i >= kGramsPerPage || !GetVarint(page, &position, &delta) || !GetVarint(page, &position, &length)) {
      return false;
    }
    // The first gram is the page's own; the others ascend.
    if ((i == 0) != (delta == 0) || gram + delta < gram || length > page.size() - position) return false;
    gram += delta;
    if (!take(gram, page.subspan(position, length))) return true;
    position += length;
  }
  return true;
}

}  // namespace

uint32_t BlocksPerUnit(int32_t blockSize) {
  return static_cast<uint32_t>(
      std::clamp<int64_t>((kUnitBytes + blockSize - 1) / std::max(blockSize, 1), 1, kMostBlocksPerUnit));
}

std::optional<IndexStamp> StampOf(const Dictionary& dictionary) {
  const std::filesystem::path path(dictionary.path());
  const std::optional<File> file = File::Open(path);
  if (!file) return std::nullopt;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  const DictionaryLayout& layout = dictionary.layout();
  // The header and the index area: what the dictionary was opened with.
  std::vector<uint8_t> bytes(kHeaderBytes + static_cast<size_t>(layout.indexLength));
  const size_t header = file->ReadAt(0, bytes.data(), kHeaderBytes);
  const size_t index = file->ReadAt(static_cast<uint64_t>(layout.indexOffset), bytes.data() + kHeaderBytes,
                                    static_cast<size_t>(layout.indexLength));
  if (header != kHeaderBytes || index != static_cast<size_t>(layout.indexLength)) return std::nullopt;
  IndexStamp stamp;
  stamp.path = dictionary.path();
  stamp.size = file->Size();
  stamp.modified = int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
  stamp.checksum = XXH3_64bits(bytes.data(), bytes.size());
  stamp.blockCount = static_cast<uint32_t>(dictionary.indexEntryCount());
  return stamp;
}

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
  uint8_t header[kHeaderSize];
  if (fileSize < kHeaderSize || ReadAt(0, header, kHeaderSize) != kHeaderSize) return false;
  if (std::memcmp(header, kMagic, sizeof kMagic) != 0 || ReadU32(header + 8) != kFormatVersion) return false;
  blockCount_ = ReadU32(header + 12);
  const uint32_t pathLength = ReadU32(header + 44);
  blocksPerUnit_ = ReadU32(header + 48);
  const uint64_t pageCount = ReadU32(header + 52);
  if (pathLength > kLongestPath || fileSize - kHeaderSize < pathLength ||
      (fileSize - kHeaderSize - pathLength) / kPageRow < pageCount || blocksPerUnit_ == 0 ||
      blocksPerUnit_ > kMostBlocksPerUnit) {
    return false;
  }
  std::vector<uint8_t> rest(pathLength + pageCount * kPageRow);
  if (ReadAt(kHeaderSize, rest.data(), rest.size()) != rest.size()) return false;
  if (HeaderChecksum(header, rest.data(), rest.size()) != ReadU64(header + kCheckedHeader)) return false;

  IndexStamp stamp;
  stamp.path = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(rest.data()), pathLength));
  stamp.size = ReadU64(header + 16);
  stamp.modified = static_cast<int64_t>(ReadU64(header + 24));
  stamp.checksum = ReadU64(header + 32);
  stamp.blockCount = blockCount_;
  if (stamp != expected) return false;
  unitCount_ = static_cast<uint32_t>((uint64_t{blockCount_} + blocksPerUnit_ - 1) / blocksPerUnit_);

  const uint64_t pagesStart = kHeaderSize + rest.size();
  pages_.resize(pageCount);
  for (size_t i = 0; i < pageCount; ++i) {
    const uint8_t* row = rest.data() + pathLength + i * kPageRow;
    Page& page = pages_[i];
    page = {ReadU64(row), ReadU64(row + 8), ReadU32(row + 16), ReadU32(row + 20)};
    if (i > 0 && page.first <= pages_[i - 1].first) return false;
    if (page.offset < pagesStart || page.offset > fileSize || fileSize - page.offset < page.length)
      return false;
  }
  return true;
}

std::optional<std::vector<uint32_t>> TextIndex::Units(
    Gram gram, std::unordered_map<size_t, std::vector<uint8_t>>& pages) const {
  const auto after = std::upper_bound(pages_.begin(), pages_.end(), gram,
                                      [](Gram g, const Page& page) { return g < page.first; });
  if (after == pages_.begin()) return std::vector<uint32_t>();
  const size_t number = static_cast<size_t>(after - pages_.begin()) - 1;
  const Page& page = pages_[number];
  std::vector<uint8_t>& bytes = pages[number];
  if (bytes.empty()) {
    bytes.resize(page.length);
    if (ReadAt(page.offset, bytes.data(), bytes.size()) != bytes.size() ||
        PageChecksum(bytes.data(), bytes.size()) != page.checksum) {
      return std::nullopt;
    }
  }
  std::optional<std::vector<uint32_t>> units = std::vector<uint32_t>();
  const bool sound = WalkPage(bytes, page.first, [&](Gram g, std::span<const uint8_t> posting) {
    if (g < gram) return true;
    if (g == gram && !DecodePosting(posting, unitCount_, &*units)) units.reset();
    return false;
  });
  if (!sound) return std::nullopt;
  return units;
}

std::optional<std::vector<uint32_t>> TextIndex::Candidates(std::span<const Gram> grams) const {
  std::vector<Gram> wanted(grams.begin(), grams.end());
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  std::vector<uint32_t> units;
  if (wanted.empty()) {
    for (uint32_t u = 0; u < unitCount_; ++u) units.push_back(u);
  }
  std::unordered_map<size_t, std::vector<uint8_t>> pages;  // read for this query
  for (size_t i = 0; i < wanted.size(); ++i) {
    std::optional<std::vector<uint32_t>> holding = Units(wanted[i], pages);
    if (!holding) return std::nullopt;
    if (i == 0) {
      units = std::move(*holding);
    } else {
      std::vector<uint32_t> both;
      std::set_intersection(units.begin(), units.end(), holding->begin(), holding->end(),
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

TextIndexWriter::TextIndexWriter(uint32_t blockCount, uint32_t blocksPerUnit)
    : blockCount_(blockCount), blocksPerUnit_(blocksPerUnit), slots_(kFirstSlots) {}

TextIndexWriter::Growing& TextIndexWriter::Find(Gram gram) {
  const auto slotOf = [&](Gram g) {
    return static_cast<size_t>((g * kHashFactor) >> 32) & (slots_.size() - 1);
  };
  size_t slot = slotOf(gram);
  for (; slots_[slot] != 0; slot = (slot + 1) & (slots_.size() - 1)) {
    if (postings_[slots_[slot] - 1].gram == gram) return postings_[slots_[slot] - 1];
  }
  postings_.push_back({gram, {}, 0, 0});
  slots_[slot] = static_cast<uint32_t>(postings_.size());
  if (postings_.size() * 2 > slots_.size()) {
    // Half full: twice the slots, everything placed anew.
    slots_.assign(slots_.size() * 2, 0);
    for (size_t i = 0; i < postings_.size(); ++i) {
      size_t s = slotOf(postings_[i].gram);
      while (slots_[s] != 0) s = (s + 1) & (slots_.size() - 1);
      slots_[s] = static_cast<uint32_t>(i + 1);
    }
  }
  return postings_.back();
}

void TextIndexWriter::Add(Gram gram, uint32_t unit) {
  Growing& growing = Find(gram);
  if (growing.next > unit) return;  // noted for this unit already
  PutVarint(growing.gaps, unit - growing.next);
  growing.next = unit + 1;
  ++growing.count;
}

std::string TextIndexWriter::Finish(const IndexStamp& stamp) {
  const uint32_t unitCount =
      static_cast<uint32_t>((uint64_t{blockCount_} + blocksPerUnit_ - 1) / blocksPerUnit_);
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
      PutVarint(page, posting.size());
      page += posting;
    }
    PutU64(table, grams[first]);
    PutU64(table, pages.size());  // from the start of the pages; made absolute below
    PutU32(table, static_cast<uint32_t>(page.size()));
    PutU32(table, PageChecksum(page.data(), page.size()));
    pages += page;
  }

  const std::string path = Utf16ToUtf8(stamp.path);
  const uint64_t pagesStart = kHeaderSize + path.size() + table.size();
  for (size_t row = 0; row < table.size(); row += kPageRow) {
    const uint64_t offset = ReadU64(reinterpret_cast<const uint8_t*>(table.data()) + row + 8) + pagesStart;
    for (int i = 0; i < 8; ++i) table[row + 8 + i] = static_cast<char>(offset >> (8 * i));
  }
  std::string out(kMagic, sizeof kMagic);
  PutU32(out, kFormatVersion);
  PutU32(out, blockCount_);
  PutU64(out, stamp.size);
  PutU64(out, static_cast<uint64_t>(stamp.modified));
  PutU64(out, stamp.checksum);
  PutU32(out, static_cast<uint32_t>(grams.size()));
  PutU32(out, static_cast<uint32_t>(path.size()));
  PutU32(out, blocksPerUnit_);
  PutU32(out, static_cast<uint32_t>(table.size() / kPageRow));
  const std::string rest = path + table;
  PutU64(out, HeaderChecksum(out.data(), rest.data(), rest.size()));
  out += rest;
  out += pages;
  return out;
}

}  // namespace tavlex
