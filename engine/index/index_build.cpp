#include "engine/index/index_build.h"

#include <algorithm>

#include "engine/dictionary.h"
#include "engine/entry_fields.h"
#include "engine/index/block_grams.h"
#include "engine/index/text_index_writer.h"
#include "engine/index/text_words.h"

namespace tavlex {
namespace {

constexpr uint32_t kProgressSteps = 100;
}  // namespace

std::optional<std::string> BuildIndexFile(const Dictionary& dictionary, const IndexStamp& stamp,
                                          BuildControl* control) {
  const uint32_t count = static_cast<uint32_t>(dictionary.indexEntryCount());
  control->total_ = count;
  control->done_ = 0;
  const uint32_t step = std::max<uint32_t>(1, count / kProgressSteps);
  const uint32_t blocksPerUnit = BlocksPerUnit(dictionary.layout().blockSize);
  TextIndexWriter writer(count, blocksPerUnit);
  const BlockReader reader(dictionary);
  std::vector<Entry> entries;
  BlockGrams grams;
  std::vector<std::pair<Gram, GramCounts>> taken;
  WordTable& words = writer.words();
  std::string scratch;
  uint32_t entryCount = 0;
  for (uint32_t block = 0; block < count; ++block) {
    if (control->cancelled()) return std::nullopt;
    entries.clear();
    if (!reader.Read(dictionary.BlockOfIndexEntry(static_cast<int32_t>(block)), false, entries)) {
      return std::nullopt;
    }
    for (uint32_t e = 0; e < entries.size(); ++e, ++entryCount) {
      for (size_t field = 0; field < kSearchFieldCount; ++field) {
        const auto name = static_cast<SearchField>(field);
        grams.AddField(FieldText(entries[e], name), e, name == SearchField::kHeadword);
        ForEachWord(grams.narrow(), scratch, [&](std::string_view word) { words.Add(word, entryCount); });
        // Only kana and accents tell the foldings apart, and kana are no word characters.
        if (grams.wide() != grams.narrow() && !SameWords(grams.wide(), grams.narrow()))
          words.NoteAccentsChangeWords();
      }
    }
    grams.Take(taken);
    writer.Add(block / blocksPerUnit, taken);
    control->done_ = block + 1;
    if ((block + 1) % step == 0 && control->onProgress) control->onProgress();
  }
  if (control->cancelled()) return std::nullopt;
  return writer.Finish(stamp, entryCount);
}

}  // namespace tavlex
