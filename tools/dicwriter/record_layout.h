// RecordLayout: how one record is laid out inside a data block. The BOCU-1 and
// ANSI layouts differ in where the attribute byte sits, in what the length
// field counts and in how long a shared prefix may be.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/dicwriter/dictionary_writer.h"
#include "tools/dicwriter/encoded_record.h"

namespace tavlex::dicwriter {

class RecordLayout {
 public:
  explicit RecordLayout(Charset charset) : ansi_(charset == Charset::kAnsi) {}

  // Leading bytes `current` can take over from the headword stored before it.
  size_t SharedPrefix(const std::vector<uint8_t>& previous, const std::vector<uint8_t>& current) const;

  // The value stored in the record's length field.
  uint64_t LengthValue(const EncodedRecord& record, size_t prefix) const;

  // Bytes the record takes after its length field.
  uint64_t SizeAfterLength(const EncodedRecord& record, size_t prefix) const;

  void Append(const EncodedRecord& record, size_t prefix, int lengthWidth, std::vector<uint8_t>& out) const;

 private:
  bool ansi_;
};

}  // namespace tavlex::dicwriter
