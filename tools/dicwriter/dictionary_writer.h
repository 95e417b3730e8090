// DictionaryWriter: builds PDIC dictionary files (versions 4, 5 and 6, ANSI or
// BOCU-1 layout) from a list of records.
//
// Text is encoded through ICU's own converters ("BOCU-1", code pages 932 and
// 1252) and never through the engine's decoder, so that reading back what this
// writes checks the engine against an implementation it shares nothing with.
// The writer is used by the tests and by the dictionary building tool; it can
// produce every layout option the reader has to handle.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavlex::dicwriter {

enum class Charset : uint8_t { kAnsi = 0x00, kBocu1 = 0x20 };

// How wide the record length fields of a block are.
enum class RecordLengthWidth {
  kTwo,        // always 2 bytes (a record that needs more is an error)
  kFour,       // always 4 bytes
  kAuto,       // 2 bytes unless a record of the block needs 4
  kAlternate,  // even blocks 2 bytes (if they fit), odd blocks 4 bytes
};

struct Record {
  // The headword as the reader decodes it. In the BOCU-1 layout a display form
  // is stored behind a TAB; in the ANSI layout `display` must be empty.
  std::u16string key;
  std::u16string display;
  uint8_t attributes = 0;  // bit 0x10 is managed by the writer
  std::u16string translation;
  std::u16string pronunciation;
  std::u16string example;
};

struct Options {
  int version = 6;           // 4, 5 or 6 (the high byte of the version word)
  uint8_t minorVersion = 0;  // the low byte
  Charset charset = Charset::kBocu1;
  int blockSize = 1024;  // version 4 must use 256
  bool fourByteBlockNumbers = false;
  RecordLengthWidth recordLengths = RecordLengthWidth::kAuto;
  // Records are packed into a block while it stays within this many units of
  // blockSize; a single record that needs more makes its block longer.
  int unitsPerBlock = 1;
  // Close a block after this many records (0: no limit). Tiny blocks exercise
  // block boundaries in tests.
  int maxRecordsPerBlock = 0;
  // Write every record with an extended body, even without pronunciation or
  // example; otherwise only records that have one of them are extended.
  bool alwaysExtended = false;
  uint32_t extendedHeaderSize = 0;  // bytes between header and index, filled with noise
  int16_t headerSize = 256;         // version 4 must use 256
  // Number of the first data block; the units before it stay zero. Lets a test
  // place a block above 65535 without writing that many blocks of records.
  uint32_t firstBlockNumber = 0;
  // Store the blocks in a shuffled order (the index still names them in order).
  std::optional<uint32_t> shuffleSeed;
  // Fill the header bytes the reader ignores with pseudo-random noise.
  std::optional<uint32_t> headerNoiseSeed;
  // Sort the records in the order the reader's search expects (default). Off
  // leaves them as given, for tests that need a particular order.
  bool sortRecords = true;
};

// Where the records of one block ended up.
struct WrittenBlock {
  uint32_t number = 0;     // block number (units from the data area start)
  size_t firstRecord = 0;  // index into WrittenDictionary::records
  size_t recordCount = 0;
  int units = 1;
  bool fourByteLengths = false;
};

struct WrittenDictionary {
  std::vector<uint8_t> bytes;        // the whole file
  std::vector<Record> records;       // in file order (sorted unless sortRecords is off)
  std::vector<WrittenBlock> blocks;  // in index order
};

// Thrown for records or options that cannot be written.
class WriterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

WrittenDictionary WriteDictionary(std::vector<Record> records, const Options& options);

// Writes the file to disk; throws WriterError when it cannot.
void WriteDictionaryFile(const std::string& path, const WrittenDictionary& dictionary);

// The bytes a headword is stored as (BOCU-1 or code page 932, TAB part included).
std::vector<uint8_t> EncodeHeadword(const Record& record, Charset charset);

}  // namespace tavlex::dicwriter
