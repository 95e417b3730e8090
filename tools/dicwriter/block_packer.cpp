#include "tools/dicwriter/block_packer.h"

#include <string>

#include "tools/dicwriter/byte_io.h"
#include "tools/dicwriter/format_constants.h"
#include "tools/dicwriter/record_layout.h"
#include "tools/dicwriter/text_encoder.h"

namespace tavlex::dicwriter {
namespace {

constexpr uint64_t kBlockWordSize = kU16;
constexpr uint64_t kFourByteLengthsFlag = 0x8000;
constexpr uint64_t kMaxTwoByteLength = 0xFFFF;
constexpr uint64_t kEndOfRecords = 0;

// BlockPacker: fills one block at a time, closing it when the next record
// would overflow it or it holds the most records allowed.
class BlockPacker {
 public:
  BlockPacker(const std::vector<Record>& records, const std::vector<EncodedRecord>& encoded,
              const Options& options)
      : records_(records),
        encoded_(encoded),
        options_(options),
        layout_(options.charset),
        capacity_(static_cast<uint64_t>(options.unitsPerBlock) * options.blockSize) {}

  std::vector<PackedBlock> Pack() {
    for (size_t i = 0; i < encoded_.size(); ++i) {
      if (open_.prefixes.empty()) {
        Start(i);
      } else if (!TryAdd(i)) {
        Close();
        Start(i);
      }
    }
    if (!open_.prefixes.empty()) {
      Close();
    }
    return std::move(blocks_);
  }

 private:
  // The block being filled.
  struct OpenBlock {
    size_t first = 0;
    std::vector<size_t> prefixes;   // shared prefix of each record
    uint64_t sizeAfterLengths = 0;  // all record bytes except the length fields
    bool needsFourByteLengths = false;
  };

  // What a record adds to the open block at a given shared prefix.
  struct Measure {
    size_t prefix = 0;
    uint64_t sizeAfterLength = 0;
    bool needsFourBytes = false;
  };

  Measure MeasureRecord(size_t index, size_t prefix) const {
    const EncodedRecord& record = encoded_[index];
    const uint64_t length = layout_.LengthValue(record, prefix);
    const bool needsFourBytes = length > kMaxTwoByteLength;
    if (needsFourBytes && options_.recordLengths == RecordLengthWidth::kTwo) {
      throw WriterError("record \"" + ToUtf8(records_[index].key) +
                        "\" is too long for 2-byte record lengths");
    }
    return {prefix, layout_.SizeAfterLength(record, prefix), needsFourBytes};
  }

  bool FourByteLengths(bool needed) const {
    switch (options_.recordLengths) {
      case RecordLengthWidth::kTwo:
        return false;
      case RecordLengthWidth::kFour:
        return true;
      case RecordLengthWidth::kAuto:
        return needed;
      case RecordLengthWidth::kAlternate:
        return needed || blocks_.size() % 2 == 1;
    }
    throw WriterError("unknown record length width");
  }

  static uint64_t BlockBytes(size_t records, uint64_t sizeAfterLengths, bool fourByteLengths) {
    const uint64_t lengthWidth = fourByteLengths ? kU32 : kU16;
    // One length field per record plus the zero length that ends the block.
    return kBlockWordSize + (records + 1) * lengthWidth + sizeAfterLengths;
  }

  void Add(const Measure& measure) {
    open_.prefixes.push_back(measure.prefix);
    open_.sizeAfterLengths += measure.sizeAfterLength;
    open_.needsFourByteLengths = open_.needsFourByteLengths || measure.needsFourBytes;
  }

  // The first record of a block never shares a prefix: the reader starts every
  // block without a previous headword.
  void Start(size_t index) {
    open_.first = index;
    Add(MeasureRecord(index, 0));
  }

  bool TryAdd(size_t index) {
    const size_t count = open_.prefixes.size();
    if (options_.maxRecordsPerBlock > 0 && count >= static_cast<size_t>(options_.maxRecordsPerBlock)) {
      return false;
    }
    const size_t prefix = layout_.SharedPrefix(encoded_[index - 1].headword, encoded_[index].headword);
    const Measure measure = MeasureRecord(index, prefix);
    const bool four = FourByteLengths(open_.needsFourByteLengths || measure.needsFourBytes);
    if (BlockBytes(count + 1, open_.sizeAfterLengths + measure.sizeAfterLength, four) > capacity_) {
      return false;
    }
    Add(measure);
    return true;
  }

  void Close() {
    const size_t count = open_.prefixes.size();
    const bool four = FourByteLengths(open_.needsFourByteLengths);
    const uint64_t blockSize = options_.blockSize;
    const uint64_t units = (BlockBytes(count, open_.sizeAfterLengths, four) + blockSize - 1) / blockSize;
    if (units > kMaxBlockUnits) {
      throw WriterError("the block starting with \"" + ToUtf8(records_[open_.first].key) +
                        "\" needs more than " + std::to_string(kMaxBlockUnits) + " units");
    }

    PackedBlock block;
    block.firstRecord = open_.first;
    block.recordCount = count;
    block.units = static_cast<int>(units);
    block.fourByteLengths = four;
    AppendLe(block.bytes, units | (four ? kFourByteLengthsFlag : 0), kU16);
    const int lengthWidth = four ? kU32 : kU16;
    for (size_t k = 0; k < count; ++k) {
      layout_.Append(encoded_[open_.first + k], open_.prefixes[k], lengthWidth, block.bytes);
    }
    AppendLe(block.bytes, kEndOfRecords, lengthWidth);
    block.bytes.resize(units * blockSize);

    blocks_.push_back(std::move(block));
    open_ = OpenBlock();
  }

  const std::vector<Record>& records_;
  const std::vector<EncodedRecord>& encoded_;
  const Options& options_;
  const RecordLayout layout_;
  const uint64_t capacity_;
  OpenBlock open_;
  std::vector<PackedBlock> blocks_;
};

}  // namespace

std::vector<PackedBlock> PackBlocks(const std::vector<Record>& records,
                                    const std::vector<EncodedRecord>& encoded, const Options& options) {
  return BlockPacker(records, encoded, options).Pack();
}

}  // namespace tavlex::dicwriter
