#include "engine/ansi_dictionary.h"

#include <cstring>

#include "engine/format/code_page.h"

namespace tavlex {
namespace {

std::u16string Decode(Bytes run, CodePage codePage) {
  return MultiByteToUtf16(run.data(), run.size(), codePage);
}

}  // namespace

int32_t AnsiDictionary::FindIndexEntry(const std::u16string& query) const {
  const std::string bytes = Utf16ToMultiByte(query, kSystemCodePage);
  // strcmp compares as unsigned bytes and stops at the zero that ends each headword.
  return SearchIndex([&](int32_t i) {
    return std::strcmp(bytes.c_str(), reinterpret_cast<const char*>(IndexHeadword(i))) < 0;
  });
}

Dictionary::BlockSpan AnsiDictionary::PrefixBlocks(const std::u16string& prefix, BlockSpan within) const {
  if (within.last < within.first) return {};
  const std::string bytes = Utf16ToMultiByte(prefix, kSystemCodePage);
  const auto headword = [&](int32_t i) { return reinterpret_cast<const char*>(IndexHeadword(i)); };
  const auto before = [&](int32_t i) { return std::strcmp(headword(i), bytes.c_str()) < 0; };
  const auto begins = [&](int32_t i) { return std::strncmp(headword(i), bytes.c_str(), bytes.size()) == 0; };
  return {SearchIndex(within, [&](int32_t i) { return !before(i); }),
          SearchIndex(within, [&](int32_t i) { return !before(i) && !begins(i); })};
}

void AnsiDictionary::DecodeBlock(Bytes block, std::vector<Entry>& entries, bool fourByteLengths,
                                 bool headwordsOnly) const {
  const std::weak_ptr<const Dictionary> self = weak_from_this();
  RecordIterator records(block, fourByteLengths, Charset::kAnsi);
  ReserveFor(records, entries);
  while (records.Next()) {
    Entry& entry = entries.emplace_back();
    entry.key = Decode(records.headword(), kSystemCodePage);
    entry.attributes = records.attributes();
    entry.dictionary = self;
    if (headwordsOnly) continue;
    const BodyFields body = ParseBody(records.body(), entry.attributes);
    entry.translation = Decode(body.translation, kSystemCodePage);
    entry.pronunciation = Decode(body.pronunciation, CodePage::kWestern);
    entry.example = Decode(body.example, kSystemCodePage);
  }
}

void AnsiDictionary::DecodeKeys(Bytes block, bool fourByteLengths, BlockKeys& keys) const {
  RecordIterator records(block, fourByteLengths, Charset::kAnsi);
  keys.ends.reserve(std::min<size_t>(records.RecordsLeft(), kMostReserved));
  while (records.Next()) {
    keys.text += Decode(records.headword(), kSystemCodePage);
    keys.ends.push_back(static_cast<uint32_t>(keys.text.size()));
  }
}

}  // namespace tavlex
