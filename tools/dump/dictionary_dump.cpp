#include "tools/dump/dictionary_dump.h"

#include "base/utf8.h"
#include "tools/formats/json_entry.h"
#include "tools/formats/tsv_escapes.h"

namespace tavlex::dump {
namespace {

void AppendTsvLine(std::string& out, const Entry& entry) {
  const std::u16string_view fields[] = {entry.key, entry.display, entry.translation, entry.pronunciation,
                                        entry.example};
  bool first = true;
  for (const std::u16string_view field : fields) {
    if (!first) out += '\t';
    first = false;
    out += Utf16ToUtf8(formats::EscapeField(field));
  }
  out += '\n';
}

}  // namespace

std::string FormatEntries(const std::vector<Entry>& entries, DumpFormat format,
                          std::u16string_view dictionaryPath) {
  std::string out;
  for (const Entry& entry : entries) {
    if (format == DumpFormat::kJson) {
      out += formats::FormatJsonEntry(entry, dictionaryPath, std::nullopt);
    } else {
      AppendTsvLine(out, entry);
    }
  }
  return out;
}

DumpResult DumpDictionary(const Dictionary& dictionary, DumpFormat format,
                          const std::function<bool(std::string_view)>& write) {
  DumpResult result;
  const BlockReader reader(dictionary);
  std::vector<Entry> entries;
  for (int32_t i = 0; i < dictionary.indexEntryCount(); ++i) {
    const uint32_t block = dictionary.BlockOfIndexEntry(i);
    // Every index entry names a block of its own; a damaged index may repeat one.
    if (i > 0 && block == dictionary.BlockOfIndexEntry(i - 1)) continue;
    entries.clear();
    if (!reader.Read(block, false, entries) || entries.empty()) {
      result.unreadableBlocks.push_back(block);
      continue;
    }
    if (!write(FormatEntries(entries, format, dictionary.path()))) {
      result.writeFailed = true;
      break;
    }
  }
  return result;
}

}  // namespace tavlex::dump
