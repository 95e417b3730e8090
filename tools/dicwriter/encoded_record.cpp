#include "tools/dicwriter/encoded_record.h"

#include "tools/dicwriter/byte_io.h"
#include "tools/dicwriter/format_constants.h"
#include "tools/dicwriter/text_encoder.h"

namespace tavlex::dicwriter {
namespace {

constexpr char16_t kDisplaySeparator = u'\t';
constexpr uint8_t kExampleField = 0x01;
constexpr uint8_t kPronunciationField = 0x02;
constexpr uint8_t kExtendedBodyEnd = 0x80;

void AppendField(std::vector<uint8_t>& body, uint8_t type, const std::vector<uint8_t>& text) {
  body.push_back(type);
  AppendBytes(body, text);
  body.push_back(kTextEnd);
}

}  // namespace

std::u16string StoredHeadwordText(const Record& record) {
  if (record.display.empty()) {
    return record.key;
  }
  return record.key + kDisplaySeparator + record.display;
}

std::vector<uint8_t> EncodeHeadword(const Record& record, TextEncoder& encoder) {
  if (encoder.charset() == Charset::kAnsi && !record.display.empty()) {
    throw WriterError("headword \"" + ToUtf8(record.key) +
                      "\" has a display form, which the ANSI layout cannot store");
  }
  return encoder.Text(StoredHeadwordText(record));
}

EncodedRecord EncodeRecord(const Record& record, TextEncoder& encoder, bool alwaysExtended) {
  EncodedRecord encoded;
  encoded.headword = EncodeHeadword(record, encoder);
  encoded.body = encoder.Text(record.translation);
  const bool extended = alwaysExtended || !record.pronunciation.empty() || !record.example.empty();
  if (!extended) {
    encoded.attributes = record.attributes & ~kExtendedAttribute;
    return encoded;
  }
  encoded.attributes = record.attributes | kExtendedAttribute;
  encoded.body.push_back(kTextEnd);
  if (!record.pronunciation.empty()) {
    AppendField(encoded.body, kPronunciationField, encoder.Pronunciation(record.pronunciation));
  }
  if (!record.example.empty()) {
    AppendField(encoded.body, kExampleField, encoder.Text(record.example));
  }
  encoded.body.push_back(kExtendedBodyEnd);
  return encoded;
}

}  // namespace tavlex::dicwriter
