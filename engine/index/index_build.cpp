#include "engine/index/index_build.h"

#include <algorithm>

#include "engine/dictionary.h"
#include "engine/entry_fields.h"
#include "engine/index/text_index_writer.h"
#include "engine/text/text_folding.h"

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
  const std::optional<File> file = dictionary.OpenFile();
  if (!file) return std::nullopt;
  const uint64_t fileSize = file->Size();
  std::vector<Entry> entries;
  FoldedText folded;
  std::vector<Gram> grams;
  for (uint32_t block = 0; block < count; ++block) {
    if (control->cancelled()) return std::nullopt;
    entries.clear();
    if (!dictionary.ReadBlock(*file, fileSize, dictionary.BlockOfIndexEntry(static_cast<int32_t>(block)),
                              false, entries)) {
      return std::nullopt;
    }
    for (const Entry& entry : entries) {
      for (size_t field = 0; field < kSearchFieldCount; ++field) {
        FoldText(FieldText(entry, static_cast<SearchField>(field)), kWidestFolding, folded);
        AppendTextGrams(folded.chars, grams);
      }
    }
    for (const Gram gram : grams) writer.Add(gram, block / blocksPerUnit);
    grams.clear();
    control->done_ = block + 1;
    if ((block + 1) % step == 0 && control->onProgress) control->onProgress();
  }
  if (control->cancelled()) return std::nullopt;
  return writer.Finish(stamp);
}

}  // namespace tavlex
