// The records of a data block, before their text is decoded.
//
// Block:  u16 block word (bits 0-14: length in units of the block size,
//         bit 15: 4-byte record lengths), records, then a record length of 0.
// BOCU-1 record:  L | u8 shared-prefix count | u8 attributes | tail 00 | body
//                 (L counts the bytes after the two that follow it)
// ANSI record:    L | u8 shared-prefix count | tail 00 | u8 attributes | body
//                 (L counts the bytes after the shared-prefix count)
// Headwords are stored as the previous headword's first `count` bytes plus the
// tail; the chain restarts in every block. A body is the translation alone,
// or, with attribute bit 0x10, translation 00 {type text 00} and an end byte
// with bit 7 set (type low nibble 1: example, 2: pronunciation).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/format/dictionary_header.h"

namespace tavlex {

inline constexpr uint16_t kBlockUnitsMask = 0x7FFF;
inline constexpr uint16_t kFourByteLengthsBit = 0x8000;
inline constexpr uint8_t kExtendedBodyBit = 0x10;

using Bytes = std::span<const uint8_t>;

// Walks the records of one block. Anything malformed (a length running past
// the block, a shared prefix longer than the previous headword) ends the walk;
// the records before it stand. Nothing is read outside the block.
class RecordIterator {
 public:
  RecordIterator(Bytes block, bool fourByteLengths, Charset layout);

  // Moves to the next record; false at the end of the block.
  bool Next();
  // How many records follow, their lengths alone read: as many as Next
  // gives, or more when a record's shared prefix is malformed.
  size_t RecordsLeft() const;

  Bytes headword() const { return headword_; }  // rebuilt, without its zero byte
  uint8_t attributes() const { return attributes_; }
  Bytes body() const { return body_; }

 private:
  // The record whose length field begins at position; none at the end of
  // the block, or where the length runs past it.
  std::optional<Bytes> RecordAt(size_t position) const;

  Bytes block_;
  size_t position_ = 2;  // after the block word
  int lengthWidth_;
  Charset layout_;
  std::vector<uint8_t> headwordBytes_;
  Bytes headword_;
  uint8_t attributes_ = 0;
  Bytes body_;
};

// The text runs of a body, each without its zero byte.
struct BodyFields {
  Bytes translation;
  Bytes pronunciation;
  Bytes example;
};

BodyFields ParseBody(Bytes body, uint8_t attributes);

}  // namespace tavlex
