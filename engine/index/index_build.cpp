#include "engine/index/index_build.h"

#include <algorithm>

#include "engine/dictionary.h"
#include "engine/entry_fields.h"
#include "engine/index/text_index_writer.h"
#include "engine/text/text_folding.h"

namespace tavlex {
namespace {

constexpr uint32_t kProgressSteps = 100;
constexpr FoldOptions kNarrowestFolding{false, false};

// Notes the grams of one field of an entry, each with whether the narrowest
// folding of the text holds it too (only kana and accents can tell them apart).
class FieldGrams {
 public:
  void Note(std::u16string_view text, uint32_t unit, uint32_t entry, bool headword, TextIndexWriter& writer) {
    FoldText(text, kWidestFolding, folded_);
    FoldText(text, kNarrowestFolding, narrow_);
    grams_.clear();
    AppendTextGrams(folded_.chars, grams_);
    const bool same = folded_.chars == narrow_.chars;
    if (!same) {
      narrowGrams_.clear();
      AppendTextGrams(narrow_.chars, narrowGrams_);
      std::sort(narrowGrams_.begin(), narrowGrams_.end());
    }
    for (const Gram gram : grams_) {
      const bool stable = same || std::binary_search(narrowGrams_.begin(), narrowGrams_.end(), gram);
      writer.Add(gram, unit, entry, headword, stable);
    }
  }

 private:
  FoldedText folded_;
  FoldedText narrow_;
  std::vector<Gram> grams_;
  std::vector<Gram> narrowGrams_;
};

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
  FieldGrams fieldGrams;
  uint32_t entryNumber = 0;
  for (uint32_t block = 0; block < count; ++block) {
    if (control->cancelled()) return std::nullopt;
    entries.clear();
    if (!dictionary.ReadBlock(*file, fileSize, dictionary.BlockOfIndexEntry(static_cast<int32_t>(block)),
                              false, entries)) {
      return std::nullopt;
    }
    for (const Entry& entry : entries) {
      for (size_t field = 0; field < kSearchFieldCount; ++field) {
        const auto name = static_cast<SearchField>(field);
        fieldGrams.Note(FieldText(entry, name), block / blocksPerUnit, entryNumber,
                        name == SearchField::kHeadword, writer);
      }
      ++entryNumber;
    }
    control->done_ = block + 1;
    if ((block + 1) % step == 0 && control->onProgress) control->onProgress();
  }
  if (control->cancelled()) return std::nullopt;
  return writer.Finish(stamp);
}

}  // namespace tavlex
