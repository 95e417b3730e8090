#include "engine/bocu1_dictionary.h"

#include "engine/format/bocu1.h"
#include "engine/text/text.h"

namespace tavlex {
namespace {

std::u16string Decode(Bytes run) {
  return run.empty() ? std::u16string() : DecodeBocu1String(run.data(), run.size());
}

}  // namespace

int32_t Bocu1Dictionary::FindIndexEntry(const std::u16string& query) const {
  // Index headwords are decoded at every probe; no decoded copy of the index is kept.
  return SearchIndex([&](int32_t i) { return query < DecodeBocu1String(IndexHeadword(i), 0); });
}

void Bocu1Dictionary::DecodeBlock(Bytes block, std::vector<Entry>& entries, bool fourByteLengths,
                                  bool headwordsOnly) const {
  const std::weak_ptr<const Dictionary> self = weak_from_this();
  RecordIterator records(block, fourByteLengths, Charset::kBocu1);
  while (records.Next()) {
    Entry& entry = entries.emplace_back();
    // The stored headword is the key, then optionally a TAB and the display form.
    const std::u16string headword = Decode(records.headword());
    int position = 0;
    entry.key = NextToken(headword, u"\t", &position);
    entry.display = NextToken(headword, u"\t", &position);
    entry.attributes = records.attributes();
    entry.dictionary = self;
    if (headwordsOnly) continue;
    const BodyFields body = ParseBody(records.body(), entry.attributes);
    entry.translation = Decode(body.translation);
    entry.pronunciation = Decode(body.pronunciation);
    entry.example = Decode(body.example);
  }
}

}  // namespace tavlex
