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
  // Index headwords are compared as they decode, up to the first difference;
  // no decoded copy of the index is kept.
  return SearchIndex([&](int32_t i) { return CompareBocu1String(IndexHeadword(i), query).order > 0; });
}

Dictionary::BlockSpan Bocu1Dictionary::PrefixBlocks(const std::u16string& prefix, BlockSpan within) const {
  if (within.last < within.first) return {};
  // The stored headword is compared whole, display form included, as the file is sorted.
  const auto compare = [&](int32_t i) { return CompareBocu1String(IndexHeadword(i), prefix); };
  return {SearchIndex(within, [&](int32_t i) { return compare(i).order >= 0; }),
          SearchIndex(within, [&](int32_t i) {
            const Bocu1Comparison c = compare(i);
            return c.order >= 0 && !c.beginsWithText;
          })};
}

void Bocu1Dictionary::DecodeBlock(Bytes block, std::vector<Entry>& entries, bool fourByteLengths,
                                  bool headwordsOnly) const {
  const std::weak_ptr<const Dictionary> self = weak_from_this();
  RecordIterator records(block, fourByteLengths, Charset::kBocu1);
  ReserveFor(records, entries);
  while (records.Next()) {
    Entry& entry = entries.emplace_back();
    // The stored headword is the key, then optionally a TAB and the display form.
    std::u16string headword = Decode(records.headword());
    if (headword.find(u'\t') == std::u16string::npos) {
      entry.key = std::move(headword);  // no display form, as in most records: nothing to split
    } else {
      int position = 0;
      entry.key = NextToken(headword, u"\t", &position);
      entry.display = NextToken(headword, u"\t", &position);
    }
    entry.attributes = records.attributes();
    entry.dictionary = self;
    if (headwordsOnly) continue;
    const BodyFields body = ParseBody(records.body(), entry.attributes);
    entry.translation = Decode(body.translation);
    entry.pronunciation = Decode(body.pronunciation);
    entry.example = Decode(body.example);
  }
}

void Bocu1Dictionary::DecodeKeys(Bytes block, bool fourByteLengths, BlockKeys& keys) const {
  RecordIterator records(block, fourByteLengths, Charset::kBocu1);
  keys.ends.reserve(std::min<size_t>(records.RecordsLeft(), kMostReserved));
  while (records.Next()) {
    const Bytes headword = records.headword();
    if (!headword.empty()) AppendBocu1String(headword.data(), headword.size(), keys.text);
    keys.EndKey();
  }
}

}  // namespace tavlex
