// A position table over a dictionary of many index pieces. The first input
// byte picks how the rest is read: as a whole table file, or as the
// positions of a table that fits the dictionary (its stamp and checksum
// made right), which only the pieces can prove wrong. Whatever the table,
// every index entry must name the block that the index read whole names,
// and every look-up must find the same entry.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/cache_file.h"
#include "engine/dictionary.h"
#include "engine/position_table.h"
#include "tools/dicwriter/dictionary_writer.h"

namespace {

const char16_t* const kWords[] = {u"", u"a", u"m", u"mq", u"zz", u"\u3042", u"\uFFFF"};

struct Fixture {
  std::filesystem::path folder;
  std::u16string path;
  std::shared_ptr<tavlex::Dictionary> whole;
  tavlex::PositionStamp stamp;
};

// A dictionary of 1,500 records in blocks of few records, written once.
const Fixture& TheFixture() {
  static const Fixture fixture = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-positions-XXXXXX").string();
    Fixture made;
    made.folder = mkdtemp(pattern.data());
    std::vector<tavlex::dicwriter::Record> records;
    for (int i = 0; i < 1500; ++i) {
      std::u16string key;
      for (int n = i; n > 0 || key.empty(); n /= 7)
        key.push_back(static_cast<char16_t>(u'a' + n % 7 + (i % 3) * 7));
      records.push_back({key, u"", 0, u"text", u"", u""});
    }
    tavlex::dicwriter::Options options;
    options.blockSize = 256;
    options.maxRecordsPerBlock = 2;
    made.path = (made.folder / "fuzz.dic").u16string();
    tavlex::dicwriter::WriteDictionaryFile(std::filesystem::path(made.path).string(),
                                           tavlex::dicwriter::WriteDictionary(std::move(records), options));
    made.whole = tavlex::Dictionary::Open(made.path, nullptr);
    if (!made.whole) __builtin_trap();
    made.stamp = *tavlex::StampOf(std::filesystem::path(made.path),
                                  static_cast<uint32_t>(made.whole->layout().indexLength),
                                  static_cast<uint32_t>(made.whole->indexEntryCount()));
    return made;
  }();
  return fixture;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Fixture& fixture = TheFixture();
  std::string table;
  if (data[0] & 1) {
    std::vector<uint32_t> positions(tavlex::PieceCount(fixture.stamp.entryCount));
    for (size_t i = 0; i < positions.size() && 1 + 4 * i + 4 <= size; ++i) {
      const uint8_t* p = data + 1 + 4 * i;
      positions[i] = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    }
    table = tavlex::FormatPositionTable(fixture.stamp, positions);
  } else {
    table.assign(reinterpret_cast<const char*>(data + 1), size - 1);
  }
  std::ofstream(tavlex::CacheFilePath(fixture.folder, fixture.path, ".positions"),
                std::ios::binary | std::ios::trunc)
      << table;

  const auto dictionary = tavlex::Dictionary::Open(fixture.path, nullptr, fixture.folder);
  if (!dictionary || dictionary->indexEntryCount() != fixture.whole->indexEntryCount()) __builtin_trap();
  for (const char16_t* word : kWords) {
    if (dictionary->FindIndexEntry(word) != fixture.whole->FindIndexEntry(word)) __builtin_trap();
  }
  for (int32_t i = 0; i < dictionary->indexEntryCount(); ++i) {
    if (dictionary->BlockOfIndexEntry(i) != fixture.whole->BlockOfIndexEntry(i)) __builtin_trap();
  }
  return 0;
}
