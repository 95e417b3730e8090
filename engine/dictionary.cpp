#include "engine/dictionary.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "base/file.h"
#include "engine/ansi_dictionary.h"
#include "engine/bocu1_dictionary.h"
#include "engine/format/little_endian.h"

namespace tavlex {
namespace {

// Blocks up to this size are read into a fixed buffer; longer ones allocate.
constexpr size_t kFirstRead = 512;

// The position of the first zero byte in bytes[from, length), or length when
// there is none. Headwords are short: testing eight bytes at a time beats a
// memchr call for each.
size_t NextZero(const uint8_t* bytes, size_t from, size_t length) {
  constexpr uint64_t kOnes = 0x0101010101010101;
  constexpr uint64_t kHighBits = 0x8080808080808080;
  // The first flagged byte is the first zero only in little-endian order.
  constexpr bool kWordAtATime = std::endian::native == std::endian::little;
  size_t position = from;
  for (; kWordAtATime && length - position >= sizeof(uint64_t); position += sizeof(uint64_t)) {
    uint64_t word;
    std::memcpy(&word, bytes + position, sizeof word);
    // Sets the high bit of the first zero byte, and maybe of some bytes after it.
    const uint64_t zeros = (word - kOnes) & ~word & kHighBits;
    if (zeros != 0) return position + static_cast<size_t>(std::countr_zero(zeros)) / 8;
  }
  const void* zero = std::memchr(bytes + position, 0, length - position);
  return zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - bytes) : length;
}

}  // namespace

std::shared_ptr<Dictionary> Dictionary::Open(const std::u16string& path, DictionaryOwner* owner) {
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
  if (!dictionary->LoadIndex()) return nullptr;
  return dictionary;
}

Dictionary::Dictionary(std::u16string path, const DictionaryLayout& layout, DictionaryOwner* owner)
    : path_(std::move(path)), filePath_(path_), layout_(layout), owner_(owner) {}

bool Dictionary::LoadIndex() {
  const std::optional<File> file = File::Open(filePath_);
  if (!file) return false;
  // ReadLayout has checked that the index area lies inside the file and that
  // the entry count fits in it, so neither allocation exceeds the file.
  const size_t length = static_cast<size_t>(layout_.indexLength);
  index_ = std::make_unique_for_overwrite<uint8_t[]>(length);
  if (file->ReadAt(static_cast<uint64_t>(layout_.indexOffset), index_.get(), length) != length) return false;

  const size_t count = static_cast<size_t>(layout_.indexEntryCount);
  headwordAt_ = std::make_unique_for_overwrite<uint32_t[]>(count);
  const size_t width = static_cast<size_t>(layout_.blockNumberWidth);
  const uint8_t* const begin = index_.get();
  size_t position = 0;
  for (size_t i = 0; i < count; ++i) {
    if (length - position < width) return false;
    position += width;
    const size_t zero = NextZero(begin, position, length);
    if (zero == length) return false;
    headwordAt_[i] = static_cast<uint32_t>(position);
    position = zero + 1;
  }
  return true;
}

uint32_t Dictionary::BlockOfIndexEntry(int32_t i) const {
  return ReadUnsigned(IndexHeadword(i) - layout_.blockNumberWidth, layout_.blockNumberWidth);
}

bool Dictionary::LoadBlock(uint32_t number, bool headwordsOnly, std::vector<Entry>& entries) const {
  return BlockReader(*this).Read(number, headwordsOnly, entries);
}

std::optional<File> Dictionary::OpenFile() const { return File::Open(filePath_); }

bool Dictionary::ReadBlock(const File& file, uint64_t fileSize, uint32_t number, bool headwordsOnly,
                           std::vector<Entry>& entries) const {
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
    DecodeBlock(Bytes(first, std::min<size_t>(got, length)), entries, fourByteLengths, headwordsOnly);
    return true;
  }

  // A block claims up to 32767 units; never allocate more than the file still holds.
  // (The file may have grown since its size was taken: keep what was read.)
  const size_t size = static_cast<size_t>(std::min(length, std::max<uint64_t>(fileSize - position, got)));
  std::vector<uint8_t> buffer;
  try {
    buffer.resize(size);
  } catch (const std::bad_alloc&) {
    return true;  // kept as a block without entries
  }
  std::memcpy(buffer.data(), first, got);
  const size_t rest = got < kFirstRead ? 0 : file.ReadAt(position + got, buffer.data() + got, size - got);
  DecodeBlock(Bytes(buffer.data(), got + rest), entries, fourByteLengths, headwordsOnly);
  return true;
}

}  // namespace tavlex
