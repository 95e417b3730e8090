#include "engine/format/block_format.h"

#include <algorithm>
#include <optional>

#include "engine/format/little_endian.h"

namespace tavlex {
namespace {

constexpr uint8_t kEndOfFields = 0x80;
constexpr uint8_t kUnreadFields = 0x10 | 0x40;  // fields whose layout we do not know
constexpr uint8_t kFieldTypeMask = 0x0F;
constexpr uint8_t kExampleField = 1;
constexpr uint8_t kPronunciationField = 2;

// The run from the start of bytes up to its zero byte, or all of bytes when
// there is none; *rest becomes what follows the zero byte.
Bytes TakeRun(Bytes bytes, Bytes* rest) {
  const auto zero = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  const size_t length = static_cast<size_t>(zero - bytes.begin());
  *rest = bytes.subspan(std::min(length + 1, bytes.size()));
  return bytes.first(length);
}

}  // namespace

RecordIterator::RecordIterator(Bytes block, bool fourByteLengths, Charset layout)
    : block_(block), lengthWidth_(fourByteLengths ? 4 : 2), layout_(layout) {}

std::optional<Bytes> RecordIterator::RecordAt(size_t position) const {
  if (position + lengthWidth_ > block_.size()) return std::nullopt;
  const uint64_t length = ReadUnsigned(block_.data() + position, lengthWidth_);
  if (length == 0) return std::nullopt;
  const size_t start = position + lengthWidth_;
  // BOCU-1: L leaves out the prefix count and the attribute byte; ANSI: the count.
  const uint64_t uncounted = layout_ == Charset::kBocu1 ? 2 : 1;
  if (length + uncounted > block_.size() - start) return std::nullopt;
  return block_.subspan(start, static_cast<size_t>(length + uncounted));
}

size_t RecordIterator::RecordsLeft() const {
  size_t count = 0;
  for (size_t position = position_; const std::optional<Bytes> record = RecordAt(position); ++count) {
    position = static_cast<size_t>(record->data() + record->size() - block_.data());
  }
  return count;
}

bool RecordIterator::Next() {
  const std::optional<Bytes> found = RecordAt(position_);
  if (!found) return false;
  const Bytes record = *found;
  position_ = static_cast<size_t>(record.data() + record.size() - block_.data());

  const size_t shared = record[0];
  if (shared > headwordBytes_.size()) return false;
  Bytes rest;
  Bytes tail;
  if (layout_ == Charset::kBocu1) {
    attributes_ = record[1];
    tail = TakeRun(record.subspan(2), &rest);
  } else {
    tail = TakeRun(record.subspan(1), &rest);
    attributes_ = rest.empty() ? 0 : rest[0];
    rest = rest.subspan(std::min<size_t>(1, rest.size()));
  }
  headwordBytes_.resize(shared);
  headwordBytes_.insert(headwordBytes_.end(), tail.begin(), tail.end());
  headword_ = headwordBytes_;
  body_ = rest;
  return true;
}

BodyFields ParseBody(Bytes body, uint8_t attributes) {
  BodyFields fields;
  Bytes rest;
  // A plain body needs no terminator, but text never runs past a zero byte.
  fields.translation = TakeRun(body, &rest);
  if (!(attributes & kExtendedBodyBit)) return fields;
  while (!rest.empty()) {
    const uint8_t type = rest[0];
    if (type & (kEndOfFields | kUnreadFields)) break;
    const Bytes text = TakeRun(rest.subspan(1), &rest);
    // Fields of other types are skipped whole, up to their zero byte.
    switch (type & kFieldTypeMask) {
      case kExampleField:
        fields.example = text;
        break;
      case kPronunciationField:
        fields.pronunciation = text;
        break;
      default:
        break;
    }
  }
  return fields;
}

}  // namespace tavlex
