// EncodedRecord: the stored bytes of one record, before the block it goes into
// decides its shared prefix and length width.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::dicwriter {

class TextEncoder;

// Attribute bit that marks a body with pronunciation/example fields.
inline constexpr uint8_t kExtendedAttribute = 0x10;

struct EncodedRecord {
  std::vector<uint8_t> headword;  // full stored headword, display part included
  uint8_t attributes = 0;         // as written, extended bit set or cleared
  std::vector<uint8_t> body;
};

// The headword text as stored: key, or key TAB display.
std::u16string StoredHeadwordText(const Record& record);

std::vector<uint8_t> EncodeHeadword(const Record& record, TextEncoder& encoder);

EncodedRecord EncodeRecord(const Record& record, TextEncoder& encoder, bool alwaysExtended);

}  // namespace tavlex::dicwriter
