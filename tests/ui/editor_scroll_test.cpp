// What a paint shows and how far the text scrolls: pageLines and maxTopLine
// as a paint leaves them, and the scroll codes moving the top line.
#include <gtest/gtest.h>

#include "tests/ui/fixed_measurer.h"
#include "ui/editor_layout.h"
#include "ui/scroll_codes.h"

namespace tavlex {
namespace {

constexpr int kLineHeight = FixedMeasurer::kDefault.height;
constexpr int kClientHeight = 100;

// One-line paragraphs in a client 100 pixels high.
class ScrollTest : public testing::Test {
 protected:
  void Fill(int count, const FontHandle& font = nullptr) {
    for (int i = 0; i < count; ++i) layout_.AppendText("x", font);
    layout_.Layout(200, measurer_);
  }
  std::vector<PlacedLine> Paint() { return layout_.PlacePage(kClientHeight); }
  // A scroll from the thumb, which follows the top line.
  std::optional<ScrollMove> Scroll(int code, int position = 0) {
    return layout_.Scroll(code, position, layout_.topLine());
  }

  EditorLayout layout_;
  FixedMeasurer measurer_;
};

TEST_F(ScrollTest, HundredLinesOfSixteenPixelsInAHundredPixels) {
  Fill(100);
  const std::vector<PlacedLine> placed = Paint();
  ASSERT_EQ(placed.size(), 7u);  // the seventh is cut off at the bottom
  EXPECT_EQ(placed[6].line, 6);
  EXPECT_EQ(placed[6].y, 6 * kLineHeight);
  EXPECT_EQ(layout_.pageLines(), 6);
  EXPECT_EQ(layout_.maxTopLine(), 94);

  std::vector<int> tops;
  while (Scroll(SB_PAGEDOWN)) {
    tops.push_back(layout_.topLine());
    Paint();
  }
  EXPECT_EQ(tops, (std::vector<int>{6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66, 72, 78, 84, 90, 94}));
  EXPECT_EQ(Paint().size(), 6u);  // painted from 94 the last six fit
  EXPECT_EQ(layout_.maxTopLine(), 94);
  EXPECT_EQ(layout_.pageLines(), 5);
  EXPECT_TRUE(Scroll(SB_PAGEUP));
  EXPECT_EQ(layout_.topLine(), 89);

  // Layout keeps the last paint's pageLines.
  layout_.AppendText("one more", nullptr);
  layout_.Layout(200, measurer_);
  EXPECT_EQ(layout_.maxTopLine(), 96);
}

TEST_F(ScrollTest, LineThatWouldStartAtTheBottomEdgeCountsButIsNotWhole) {
  const auto twenty = std::make_shared<const QFont>();
  measurer_.SetMetrics(twenty.get(), {8, 20});
  Fill(10, twenty);
  EXPECT_EQ(Paint().size(), 6u);
  EXPECT_EQ(layout_.pageLines(), 5);
  EXPECT_EQ(layout_.maxTopLine(), 5);
}

TEST_F(ScrollTest, LineStepsMoveThePixelsByTheLineHeightOtherMovesRepaintAll) {
  const auto tall = std::make_shared<const QFont>();
  measurer_.SetMetrics(tall.get(), {8, 40});
  layout_.AppendText("big", tall);
  Fill(20);
  Paint();

  std::optional<ScrollMove> move = Scroll(SB_LINEDOWN);
  ASSERT_TRUE(move && move->smooth);
  EXPECT_EQ(move->delta, -40);
  move = Scroll(SB_LINEDOWN);
  ASSERT_TRUE(move);
  EXPECT_EQ(move->delta, -kLineHeight);
  Scroll(SB_LINEUP);
  move = Scroll(SB_LINEUP);
  ASSERT_TRUE(move);
  EXPECT_EQ(move->delta, 40);

  for (const int code : {SB_PAGEDOWN, SB_BOTTOM, SB_PAGEUP, SB_TOP}) {
    move = Scroll(code);
    ASSERT_TRUE(move) << code;
    EXPECT_FALSE(move->smooth) << code;
  }
}

TEST_F(ScrollTest, MovesStopAtBothEnds) {
  Fill(10);  // maxTopLine 4, pageLines 6
  Paint();
  EXPECT_FALSE(Scroll(SB_LINEUP));
  EXPECT_FALSE(Scroll(SB_PAGEUP));
  ASSERT_TRUE(Scroll(SB_LINEDOWN));
  EXPECT_TRUE(Scroll(SB_PAGEUP));
  EXPECT_EQ(layout_.topLine(), 0);
  EXPECT_TRUE(Scroll(SB_PAGEDOWN));
  EXPECT_EQ(layout_.topLine(), 4);
  EXPECT_FALSE(Scroll(SB_PAGEDOWN));
  EXPECT_FALSE(Scroll(SB_LINEDOWN));
  EXPECT_FALSE(Scroll(SB_THUMBPOSITION, 500));
  EXPECT_TRUE(Scroll(SB_THUMBTRACK, -3));
  EXPECT_EQ(layout_.topLine(), 0);
  EXPECT_FALSE(Scroll(SB_ENDSCROLL, 2));
  EXPECT_FALSE(Scroll(42, 2));
}

TEST_F(ScrollTest, StepsStartFromTheThumbNotFromTheTopLine) {
  Fill(100);
  Paint();
  ASSERT_TRUE(layout_.Scroll(SB_LINEDOWN, 0, 10));
  EXPECT_EQ(layout_.topLine(), 11);
  EXPECT_FALSE(layout_.Scroll(SB_PAGEUP, 0, 17));  // lands on the top line
}

TEST_F(ScrollTest, TopLineTallerThanTheWindowStopsPagingButNotLineSteps) {
  const auto huge = std::make_shared<const QFont>();
  measurer_.SetMetrics(huge.get(), {8, 2 * kClientHeight});
  layout_.AppendText("huge", huge);
  Fill(3);
  EXPECT_EQ(Paint().size(), 1u);
  EXPECT_EQ(layout_.pageLines(), 0);
  EXPECT_EQ(layout_.maxTopLine(), 3);  // the last line: never past the end
  EXPECT_FALSE(Scroll(SB_PAGEDOWN));
  EXPECT_FALSE(Scroll(SB_PAGEUP));
  EXPECT_TRUE(Scroll(SB_LINEDOWN));
}

TEST_F(ScrollTest, EmptyDisplayShowsNothingAndScrollsNowhere) {
  EXPECT_TRUE(Paint().empty());
  EXPECT_EQ(layout_.maxTopLine(), 0);
  EXPECT_EQ(layout_.pageLines(), 0);
  for (const int code : {SB_PAGEDOWN, SB_PAGEUP, SB_LINEDOWN, SB_LINEUP, SB_BOTTOM}) {
    EXPECT_FALSE(Scroll(code)) << code;
  }
}

}  // namespace
}  // namespace tavlex
