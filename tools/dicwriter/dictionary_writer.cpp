#include "tools/dicwriter/dictionary_writer.h"

#include <fstream>

#include "tools/dicwriter/block_packer.h"
#include "tools/dicwriter/block_placement.h"
#include "tools/dicwriter/byte_io.h"
#include "tools/dicwriter/encoded_record.h"
#include "tools/dicwriter/header_writer.h"
#include "tools/dicwriter/index_writer.h"
#include "tools/dicwriter/options_check.h"
#include "tools/dicwriter/record_order.h"
#include "tools/dicwriter/text_encoder.h"

namespace tavlex::dicwriter {

WrittenDictionary WriteDictionary(std::vector<Record> records, const Options& options) {
  ValidateOptions(options);

  TextEncoder encoder(options.charset);
  std::vector<EncodedRecord> encoded;
  encoded.reserve(records.size());
  for (const Record& record : records) {
    encoded.push_back(EncodeRecord(record, encoder, options.alwaysExtended));
  }
  if (options.sortRecords) {
    SortRecords(records, encoded, options.charset);
  }
  // Report the attribute bytes as stored, so a reader's output compares equal.
  for (size_t i = 0; i < records.size(); ++i) {
    records[i].attributes = encoded[i].attributes;
  }

  std::vector<PackedBlock> blocks = PackBlocks(records, encoded, options);
  const BlockPlacement placement = PlaceBlocks(blocks, options);
  const std::vector<uint8_t> index = BuildIndex(blocks, placement, encoded, options);

  WrittenDictionary written;
  written.bytes = BuildHeaders(options, static_cast<uint16_t>(index.size() / options.blockSize),
                               static_cast<uint32_t>(blocks.size()));
  AppendBytes(written.bytes, index);
  // Units before the first block number stay zero.
  written.bytes.resize(written.bytes.size() +
                       static_cast<size_t>(options.firstBlockNumber) * options.blockSize);
  for (size_t block : placement.physicalOrder) {
    AppendBytes(written.bytes, blocks[block].bytes);
  }

  for (size_t block = 0; block < blocks.size(); ++block) {
    const PackedBlock& packed = blocks[block];
    written.blocks.push_back({placement.numbers[block], packed.firstRecord, packed.recordCount, packed.units,
                              packed.fourByteLengths});
  }
  written.records = std::move(records);
  return written;
}

void WriteDictionaryFile(const std::string& path, const WrittenDictionary& dictionary) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(dictionary.bytes.data()),
             static_cast<std::streamsize>(dictionary.bytes.size()));
  file.close();
  if (!file) {
    throw WriterError("cannot write " + path);
  }
}

std::vector<uint8_t> EncodeHeadword(const Record& record, Charset charset) {
  TextEncoder encoder(charset);
  return EncodeHeadword(record, encoder);
}

}  // namespace tavlex::dicwriter
