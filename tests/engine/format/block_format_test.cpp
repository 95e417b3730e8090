// The count of the records left in a block, against the records the walk
// gives, on blocks made byte by byte.
#include "engine/format/block_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlex {
namespace {

using Block = std::vector<uint8_t>;

// A BOCU-1 record with 2-byte lengths: L, shared count, attributes, tail 00, body.
void Append(Block& block, uint8_t shared, const std::string& tail, const std::string& body) {
  const size_t length = tail.size() + 1 + body.size();
  block.push_back(static_cast<uint8_t>(length));
  block.push_back(static_cast<uint8_t>(length >> 8));
  block.push_back(shared);
  block.push_back(0);
  block.insert(block.end(), tail.begin(), tail.end());
  block.push_back(0);
  block.insert(block.end(), body.begin(), body.end());
}

Block Started() { return {0x01, 0x00}; }  // the block word: one unit, 2-byte lengths

TEST(RecordIterator, RecordsLeftAsTheWalkGivesThem) {
  struct Case {
    const char* what;
    Block block;
    size_t left;    // before the first record
    size_t walked;  // records Next gives
  };
  std::vector<Case> cases;
  {
    Block b = Started();
    Append(b, 0, "ab", "x");
    Append(b, 1, "c", "yz");
    Append(b, 2, "", "");
    b.insert(b.end(), {0, 0});
    cases.push_back({"three, then the end", b, 3, 3});
  }
  {
    Block b = Started();
    Append(b, 0, "ab", "x");
    b.insert(b.end(), {0xC8, 0x00, 0, 0, 'c'});  // claims 200 bytes
    cases.push_back({"a length past the block", b, 1, 1});
  }
  {
    Block b = Started();
    Append(b, 0, "ab", "");
    Append(b, 5, "c", "");  // shares more than the headword before it has
    Append(b, 0, "d", "");
    cases.push_back({"a shared prefix too long", b, 3, 1});
  }
  cases.push_back({"no records", Started(), 0, 0});
  cases.push_back({"not even a length", {0x01}, 0, 0});

  for (const Case& c : cases) {
    RecordIterator records(c.block, false, Charset::kBocu1);
    EXPECT_EQ(records.RecordsLeft(), c.left) << c.what;
    size_t walked = 0;
    while (records.Next()) {
      ++walked;
      // After each record, one fewer is left, as long as the lengths hold.
      if (c.left == c.walked) {
        EXPECT_EQ(records.RecordsLeft(), c.left - walked) << c.what;
      }
    }
    EXPECT_EQ(walked, c.walked) << c.what;
  }
}

}  // namespace
}  // namespace tavlex
