#include "tools/dicwriter/record_layout.h"

#include <algorithm>

#include "tools/dicwriter/byte_io.h"
#include "tools/dicwriter/format_constants.h"

namespace tavlex::dicwriter {
namespace {

constexpr size_t kMaxBocu1Prefix = 255;
constexpr size_t kMaxAnsiPrefix = 127;

// BOCU-1: prefix count and attribute byte precede what the length counts.
constexpr uint64_t kBocu1BytesBeforeCounted = 2;
// ANSI: only the prefix count does; the attribute byte is counted.
constexpr uint64_t kAnsiBytesBeforeCounted = 1;

}  // namespace

size_t RecordLayout::SharedPrefix(const std::vector<uint8_t>& previous,
                                  const std::vector<uint8_t>& current) const {
  const size_t limit = std::min({previous.size(), current.size(), ansi_ ? kMaxAnsiPrefix : kMaxBocu1Prefix});
  size_t shared = 0;
  while (shared < limit && previous[shared] == current[shared]) {
    ++shared;
  }
  return shared;
}

uint64_t RecordLayout::LengthValue(const EncodedRecord& record, size_t prefix) const {
  const uint64_t headword = record.headword.size() - prefix + sizeof(kTextEnd);
  const uint64_t attribute = ansi_ ? sizeof(record.attributes) : 0;
  return headword + attribute + record.body.size();
}

uint64_t RecordLayout::SizeAfterLength(const EncodedRecord& record, size_t prefix) const {
  return (ansi_ ? kAnsiBytesBeforeCounted : kBocu1BytesBeforeCounted) + LengthValue(record, prefix);
}

void RecordLayout::Append(const EncodedRecord& record, size_t prefix, int lengthWidth,
                          std::vector<uint8_t>& out) const {
  AppendLe(out, LengthValue(record, prefix), lengthWidth);
  out.push_back(static_cast<uint8_t>(prefix));
  if (!ansi_) {
    out.push_back(record.attributes);
  }
  out.insert(out.end(), record.headword.begin() + prefix, record.headword.end());
  out.push_back(kTextEnd);
  if (ansi_) {
    out.push_back(record.attributes);
  }
  AppendBytes(out, record.body);
}

}  // namespace tavlex::dicwriter
