// The count of the records left in a block, on blocks made byte by byte.
#include "engine/format/block_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlex {
namespace {

using Block = std::vector<uint8_t>;

// A block word, then BOCU-1 records with 2-byte lengths: L, shared count, attributes, tail 00, body.
Block Records(const std::vector<std::pair<uint8_t, std::string>>& records) {
  Block block = {0x01, 0x00};
  for (const auto& [shared, tail] : records) {
    block.insert(block.end(), {static_cast<uint8_t>(tail.size() + 2), 0, shared, 0});
    block.insert(block.end(), tail.begin(), tail.end());
    block.insert(block.end(), {0, 'x'});
  }
  return block;
}

TEST(RecordIterator, RecordsLeftAsTheWalkGivesThem) {
  struct Case {
    const char* what;
    Block block;
    size_t left;    // before the first record
    size_t walked;  // records Next gives
  };
  Block pastTheEnd = Records({{0, "ab"}});
  pastTheEnd.insert(pastTheEnd.end(), {0xC8, 0x00, 0, 0, 'c'});  // claims 200 bytes
  Block ended = Records({{0, "ab"}, {1, "c"}, {2, ""}});
  ended.insert(ended.end(), {0, 0});
  const Case cases[] = {
      {"three, then the end", ended, 3, 3},
      {"a length past the block", pastTheEnd, 1, 1},
      {"a shared prefix too long", Records({{0, "ab"}, {5, "c"}, {0, "d"}}), 3, 1},
      {"no records", Records({}), 0, 0},
  };
  for (const Case& c : cases) {
    RecordIterator records(c.block, false, Charset::kBocu1);
    EXPECT_EQ(records.RecordsLeft(), c.left) << c.what;
    size_t walked = 0;
    while (records.Next()) ++walked;
    EXPECT_EQ(walked, c.walked) << c.what;
  }
}

}  // namespace
}  // namespace tavlex
