#include "engine/dictionary.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "base/file.h"
#include "engine/ansi_dictionary.h"
#include "engine/bocu1_dictionary.h"
#include "engine/cache_file.h"
#include "engine/format/little_endian.h"

namespace tavlex {
namespace {

// Blocks up to this size are read into a fixed buffer at one read; longer
// ones take a second read into an allocation. A page: a block of one unit
// of up to 4 KB (1 KB is usual) costs one system call, not two.
constexpr size_t kFirstRead = 4096;

}  // namespace

std::shared_ptr<Dictionary> Dictionary::Open(const std::u16string& path, DictionaryOwner* owner,
                                             const std::filesystem::path& positionsFolder) {
  std::optional<DictionaryLayout> layout;
  {
    // The header's handle is closed before the index is read through another.
    const std::optional<File> file = File::Open(std::filesystem::path(path));
    if (!file) return nullptr;
    std::array<uint8_t, kHeaderBytes> header;
    if (file->ReadAt(0, header.data(), header.size()) != header.size()) return nullptr;
    layout = ReadLayout(header, file->Size());
  }
  if (!layout) return nullptr;

  std::shared_ptr<Dictionary> dictionary;
  if (layout->charset == Charset::kBocu1) {
    dictionary = std::make_shared<Bocu1Dictionary>(path, *layout, owner);
  } else {
    dictionary = std::make_shared<AnsiDictionary>(path, *layout, owner);
  }
  if (!dictionary->LoadIndex(positionsFolder)) return nullptr;
  return dictionary;
}

Dictionary::Dictionary(std::u16string path, const DictionaryLayout& layout, DictionaryOwner* owner)
    : path_(std::move(path)), filePath_(path_), layout_(layout), owner_(owner) {}

bool Dictionary::LoadIndex(const std::filesystem::path& positionsFolder) {
  // The stamp is taken first: a file changed while it is read is not the one the table describes.
  std::optional<PositionStamp> stamp;
  std::filesystem::path tablePath;
  if (!positionsFolder.empty()) {
    stamp = StampOf(filePath_, static_cast<uint32_t>(layout_.indexLength),
                    static_cast<uint32_t>(layout_.indexEntryCount));
    tablePath = CacheFilePath(positionsFolder, path_, ".positions");
    if (stamp && (index_ = IndexInPieces(tablePath, *stamp))) return true;
  }

  const std::optional<File> file = File::Open(filePath_);
  if (!file) return false;
  index_ = IndexArea::ReadWhole(*file, layout_);
  if (!index_) return false;
  // A table that cannot be written only costs the next look-up the whole read.
  if (stamp) SaveCacheFile(tablePath, FormatPositionTable(*stamp, index_->PiecePositions()));
  return true;
}

std::unique_ptr<IndexArea> Dictionary::IndexInPieces(const std::filesystem::path& tablePath,
                                                     const PositionStamp& stamp) {
  std::optional<std::vector<uint32_t>> positions;
  {
    // Only a file of the size a table of this index has is read.
    const std::optional<File> table = File::Open(tablePath);
    if (!table) return nullptr;
    std::string bytes(PositionTableBytes(stamp.entryCount), '\0');
    if (table->Size() != bytes.size() ||
        table->ReadAt(0, reinterpret_cast<uint8_t*>(bytes.data()), bytes.size()) != bytes.size()) {
      return nullptr;
    }
    positions = ParsePositionTable(bytes, stamp);
  }
  if (!positions || positions->empty()) return nullptr;
  std::optional<File> file = File::Open(filePath_);
  if (!file) return nullptr;

  const auto last = static_cast<int32_t>((positions->size() - 1) * kPositionStride);
  const std::filesystem::path rewrite = tablePath;
  std::unique_ptr<IndexArea> pieces = IndexArea::ReadInPieces(
      std::move(*file), layout_, std::move(*positions), [rewrite, stamp](const IndexArea& whole) {
        SaveCacheFile(rewrite, FormatPositionTable(stamp, whole.PiecePositions()));
      });
  const uint8_t* headword = pieces->Headword(last);
  const std::optional<File> data = File::Open(filePath_);
  bool begins = false;
  if (data) {
    WithBlock(*data, data->Size(),
              ReadUnsigned(headword - layout_.blockNumberWidth, layout_.blockNumberWidth),
              [&](Bytes block, bool fourByteLengths) {
                RecordIterator records(block, fourByteLengths, layout_.charset);
                const size_t length = std::strlen(reinterpret_cast<const char*>(headword));
                begins = records.Next() && std::ranges::equal(records.headword(), Bytes(headword, length));
              });
  }
  return begins ? std::move(pieces) : nullptr;
}

void Dictionary::ReserveFor(const RecordIterator& records, std::vector<Entry>& entries) {
  entries.reserve(entries.size() + std::min(records.RecordsLeft(), kMostReserved));
}

uint32_t Dictionary::BlockOfIndexEntry(int32_t i) const {
  return ReadUnsigned(IndexHeadword(i) - layout_.blockNumberWidth, layout_.blockNumberWidth);
}

bool Dictionary::LoadBlock(uint32_t number, bool headwordsOnly, std::vector<Entry>& entries) const {
  return BlockReader(*this).Read(number, headwordsOnly, entries);
}

std::optional<File> Dictionary::OpenFile() const { return File::Open(filePath_); }

template <typename Use>
bool Dictionary::WithBlock(const File& file, uint64_t fileSize, uint32_t number, Use use) const {
  const uint64_t position =
      static_cast<uint64_t>(layout_.dataOffset) + uint64_t{number} * static_cast<uint64_t>(layout_.blockSize);
  if (position >= fileSize) return false;

  uint8_t first[kFirstRead];
  const size_t got = file.ReadAt(position, first, sizeof first);
  if (got < sizeof(uint16_t)) return true;  // no room even for a block word
  const uint16_t word = ReadU16(first);
  const bool fourByteLengths = word & kFourByteLengthsBit;
  const uint64_t length =
      static_cast<uint64_t>(word & kBlockUnitsMask) * static_cast<uint64_t>(layout_.blockSize);
  if (length <= kFirstRead) {
    use(Bytes(first, std::min<size_t>(got, length)), fourByteLengths);
    return true;
  }

  // A block claims up to 32767 units; never allocate more than the file still holds.
  // (The file may have grown since its size was taken: keep what was read.)
  const size_t size = static_cast<size_t>(std::min(length, std::max<uint64_t>(fileSize - position, got)));
  std::vector<uint8_t> buffer;
  try {
    buffer.resize(size);
  } catch (const std::bad_alloc&) {
    return true;  // kept as a block without records
  }
  std::memcpy(buffer.data(), first, got);
  const size_t rest = got < kFirstRead ? 0 : file.ReadAt(position + got, buffer.data() + got, size - got);
  use(Bytes(buffer.data(), got + rest), fourByteLengths);
  return true;
}

bool Dictionary::ReadKeys(const File& file, uint64_t fileSize, uint32_t number, BlockKeys& keys) const {
  keys = {};
  return WithBlock(file, fileSize, number,
                   [&](Bytes block, bool fourByteLengths) { DecodeKeys(block, fourByteLengths, keys); });
}

bool Dictionary::ReadBlock(const File& file, uint64_t fileSize, uint32_t number, bool headwordsOnly,
                           std::vector<Entry>& entries) const {
  return WithBlock(file, fileSize, number, [&](Bytes block, bool fourByteLengths) {
    DecodeBlock(block, entries, fourByteLengths, headwordsOnly);
  });
}

}  // namespace tavlex
