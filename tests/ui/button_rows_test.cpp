// Buttons wrapped into rows: the word book window's six on a wide, a
// portrait and a very narrow screen, and rows of any widths checked against
// what a row must be: within the room, unless one button alone is wider, and
// too full for the next button.
#include "ui/button_rows.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace tavlex {
namespace {

TEST(ButtonRows, AsManyInARowAsItsWidthHolds) {
  struct Case {
    int room;
    std::vector<size_t> rows;
  };
  // The word book window's buttons, as wide as on a desktop.
  const std::vector<int> widths = {80, 80, 128, 128, 110, 80};
  const Case cases[] = {
      {740, {6}},
      {636, {6}},  // exactly: five spacings of 6
      {635, {5, 1}},
      {450, {4, 2}},
      {200, {2, 1, 1, 2}},
      {100, {1, 1, 1, 1, 1, 1}},
      {50, {1, 1, 1, 1, 1, 1}},  // wider than the room: one a row, none lost
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonRows(widths, 6, c.room), c.rows) << c.room;
  EXPECT_TRUE(ButtonRows({}, 6, 400).empty());
}

TEST(ButtonRows, EachRowFitsAndCouldTakeNoMore) {
  std::mt19937 random(44);
  for (int round = 0; round < 500; ++round) {
    std::vector<int> widths(random() % 9);
    for (int& width : widths) width = 20 + static_cast<int>(random() % 200);
    const int spacing = static_cast<int>(random() % 10);
    const int room = 50 + static_cast<int>(random() % 600);
    const std::vector<size_t> rows = ButtonRows(widths, spacing, room);
    ASSERT_EQ(std::accumulate(rows.begin(), rows.end(), size_t{0}), widths.size());
    size_t first = 0;
    for (const size_t count : rows) {
      ASSERT_GT(count, 0u);
      int used = -spacing;
      for (size_t i = first; i < first + count; ++i) used += spacing + widths[i];
      if (count > 1) {
        EXPECT_LE(used, room);
      }
      const size_t next = first + count;
      if (next < widths.size()) {
        EXPECT_GT(used + spacing + widths[next], room) << "the next one would fit";
      }
      first = next;
    }
  }
}

}  // namespace
}  // namespace tavlex
