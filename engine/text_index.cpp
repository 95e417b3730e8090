#include "engine/text_index.h"

#include <sys/stat.h>
#include <xxhash.h>

#include <algorithm>
#include <cstring>

#include "base/utf8.h"
#include "engine/dictionary.h"
#include "engine/little_endian.h"

namespace tavlex {
namespace {

constexpr char kMagic[8] = {'T', 'A', 'V', 'L', 'E', 'X', 'T', 'I'};
constexpr uint32_t kFormatVersion = 1;
constexpr size_t kHeaderSize = 56;
constexpr size_t kCheckedHeader = 48;  // the bytes before the table checksum
constexpr size_t kTableRow = 24;
constexpr uint32_t kLongestPath = 64 * 1024;

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}
void PutU64(std::string& out, uint64_t value) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}
void SetU64(std::string& out, size_t at, uint64_t value) {
  for (int i = 0; i < 8; ++i) out[at + i] = static_cast<char>(value >> (8 * i));
}

uint32_t PostingChecksum(const void* data, size_t size) {
  return static_cast<uint32_t>(XXH3_64bits(data, size));
}

}  // namespace

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
  const uint64_t gramCount = ReadU32(header + 40);
  const uint32_t pathLength = ReadU32(header + 44);
  if (pathLength > kLongestPath || fileSize - kHeaderSize < pathLength ||
      (fileSize - kHeaderSize - pathLength) / kTableRow < gramCount) {
    return false;
  }
  std::vector<uint8_t> rest(pathLength + gramCount * kTableRow);
  if (ReadAt(kHeaderSize, rest.data(), rest.size()) != rest.size()) return false;
  XXH3_state_t* state = XXH3_createState();
  XXH3_64bits_reset(state);
  XXH3_64bits_update(state, header, kCheckedHeader);
  XXH3_64bits_update(state, rest.data(), rest.size());
  const uint64_t checksum = XXH3_64bits_digest(state);
  XXH3_freeState(state);
  if (checksum != ReadU64(header + kCheckedHeader)) return false;

  IndexStamp stamp;
  stamp.path = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(rest.data()), pathLength));
  stamp.size = ReadU64(header + 16);
  stamp.modified = static_cast<int64_t>(ReadU64(header + 24));
  stamp.checksum = ReadU64(header + 32);
  stamp.blockCount = blockCount_;
  if (stamp != expected) return false;

  const uint64_t postingsStart = kHeaderSize + rest.size();
  table_.resize(gramCount);
  for (size_t i = 0; i < gramCount; ++i) {
    const uint8_t* row = rest.data() + pathLength + i * kTableRow;
    Posting& posting = table_[i];
    posting = {ReadU64(row), ReadU64(row + 8), ReadU32(row + 16), ReadU32(row + 20)};
    if (i > 0 && posting.gram <= table_[i - 1].gram) return false;
    if (posting.offset < postingsStart || posting.offset > fileSize ||
        fileSize - posting.offset < posting.length) {
      return false;
    }
  }
  return true;
}

Bitmap TextIndex::ReadPosting(const Posting& posting) const {
  std::vector<uint8_t> bytes(posting.length);
  if (ReadAt(posting.offset, bytes.data(), bytes.size()) != bytes.size()) return nullptr;
  if (PostingChecksum(bytes.data(), bytes.size()) != posting.checksum) return nullptr;
  return ReadBitmap(bytes, blockCount_);
}

std::optional<std::vector<uint32_t>> TextIndex::Candidates(std::span<const Gram> grams) const {
  std::vector<Gram> wanted(grams.begin(), grams.end());
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  std::vector<uint32_t> blocks;
  if (wanted.empty()) {
    blocks.resize(blockCount_);
    for (uint32_t b = 0; b < blockCount_; ++b) blocks[b] = b;
    return blocks;
  }
  std::vector<const Posting*> postings;
  for (const Gram gram : wanted) {
    const auto it = std::lower_bound(table_.begin(), table_.end(), gram,
                                     [](const Posting& p, Gram g) { return p.gram < g; });
    if (it == table_.end() || it->gram != gram) return blocks;  // no block holds this gram
    postings.push_back(&*it);
  }
  // The shortest posting first: the intersection shrinks fastest.
  std::sort(postings.begin(), postings.end(),
            [](const Posting* a, const Posting* b) { return a->length < b->length; });
  Bitmap result = ReadPosting(*postings[0]);
  if (!result) return std::nullopt;
  for (size_t i = 1; i < postings.size() && !roaring_bitmap_is_empty(result.get()); ++i) {
    const Bitmap next = ReadPosting(*postings[i]);
    if (!next) return std::nullopt;
    roaring_bitmap_and_inplace(result.get(), next.get());
  }
  blocks.resize(roaring_bitmap_get_cardinality(result.get()));
  roaring_bitmap_to_uint32_array(result.get(), blocks.data());
  return blocks;
}

void TextIndexWriter::Add(Gram gram, uint32_t block) {
  Bitmap& bitmap = postings_[gram];
  if (!bitmap) bitmap = NewBitmap();
  roaring_bitmap_add(bitmap.get(), block);
}

std::string TextIndexWriter::Finish(const IndexStamp& stamp) {
  std::vector<Gram> grams;
  grams.reserve(postings_.size());
  for (const auto& [gram, bitmap] : postings_) grams.push_back(gram);
  std::sort(grams.begin(), grams.end());

  const std::string path = Utf16ToUtf8(stamp.path);
  std::string out(kMagic, sizeof kMagic);
  PutU32(out, kFormatVersion);
  PutU32(out, blockCount_);
  PutU64(out, stamp.size);
  PutU64(out, static_cast<uint64_t>(stamp.modified));
  PutU64(out, stamp.checksum);
  PutU32(out, static_cast<uint32_t>(grams.size()));
  PutU32(out, static_cast<uint32_t>(path.size()));
  PutU64(out, 0);  // the table checksum, below
  out += path;
  const size_t tableStart = out.size();
  out.resize(tableStart + grams.size() * kTableRow);
  for (size_t i = 0; i < grams.size(); ++i) {
    const auto it = postings_.find(grams[i]);
    const std::string posting = SerializeBitmap(it->second.get());
    postings_.erase(it);
    std::string row;
    PutU64(row, grams[i]);
    PutU64(row, out.size());
    PutU32(row, static_cast<uint32_t>(posting.size()));
    PutU32(row, PostingChecksum(posting.data(), posting.size()));
    out.replace(tableStart + i * kTableRow, kTableRow, row);
    out += posting;
  }
  XXH3_state_t* state = XXH3_createState();
  XXH3_64bits_reset(state);
  XXH3_64bits_update(state, out.data(), kCheckedHeader);
  XXH3_64bits_update(state, out.data() + kHeaderSize, tableStart + grams.size() * kTableRow - kHeaderSize);
  SetU64(out, kCheckedHeader, XXH3_64bits_digest(state));
  XXH3_freeState(state);
  return out;
}

}  // namespace tavlex
