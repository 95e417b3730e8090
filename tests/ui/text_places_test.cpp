// Where the mouse and the caret keys lead in the result display's text, with
// characters 8 pixels wide and lines 16 high, compared with a model that
// walks the lines and the characters one by one.
#include "ui/text_places.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cstdlib>

#include "tests/ui/fixed_measurer.h"
#include "ui/scroll_codes.h"

namespace tavlex {
namespace {

constexpr int kCharWidth = FixedMeasurer::kDefault.charWidth;
constexpr int kLineHeight = FixedMeasurer::kDefault.height;

class TextPlacesTest : public ::testing::Test {
 protected:
  // Paragraphs wrapped to ten characters a line.
  void Show(const QStringList& texts) {
    for (const QString& text : texts) layout_.AppendText(text, nullptr);
    layout_.Layout(10 * kCharWidth, measurer_);
    layout_.PlacePage(2 * kLineHeight);
  }

  // The boundary of line nearest x, ties to the left, found by trying each;
  // a line the wrap cut ends before its last character, where the next begins.
  TextPlace NearestOnLine(int line, int x) const {
    const DisplayLine& l = layout_.lines()[line];
    const bool last = line + 1 == static_cast<int>(layout_.lines().size()) ||
                      layout_.lines()[line + 1].paragraph != l.paragraph;
    int best = 0;
    for (int k = 1; k <= (last ? l.count : l.count - 1); ++k) {
      if (std::abs(k * kCharWidth - x) < std::abs(best * kCharWidth - x)) best = k;
    }
    return {l.paragraph, l.first + best};
  }

  FixedMeasurer measurer_;
  EditorLayout layout_;
};

TEST_F(TextPlacesTest, PointsFindTheNearestBoundaryOfTheLineUnderThem) {
  Show({"took care of the children", "", "子供の世話をする"});
  ASSERT_EQ(layout_.lines().size(), 5u);
  for (const int top : {0, 2}) {
    layout_.Scroll(SB_THUMBTRACK, top, layout_.topLine());
    ASSERT_EQ(layout_.topLine(), top);
    for (int line = 0; line < 5; ++line) {
      for (const int x : {-5, 3, 4, 5, 12, 79, 200}) {
        for (const int dy : {0, kLineHeight - 1}) {
          EXPECT_EQ(PlaceAtPoint(layout_, {x, (line - top) * kLineHeight + dy}, measurer_),
                    NearestOnLine(line, x))
              << "top " << top << " line " << line << " x " << x;
        }
      }
    }
    // Above every line the start, below every line the end.
    EXPECT_EQ(PlaceAtPoint(layout_, {40, -(top + 1) * kLineHeight}, measurer_), (TextPlace{0, 0}));
    EXPECT_EQ(PlaceAtPoint(layout_, {0, (5 - top) * kLineHeight}, measurer_), (TextPlace{2, 8}));
  }
}

TEST_F(TextPlacesTest, CaretKeysStepByCharactersAndLines) {
  Show({"took care of the children", "", QString::fromUtf16(u"子𠮷の世話")});
  // Lines: "took care" " of the " "children" "" "子𠮷の世話".
  const struct {
    TextPlace from;
    CaretStep step;
    TextPlace to;
  } steps[] = {
      {{0, 0}, CaretStep::kLeft, {0, 0}},  // the start stays
      {{0, 0}, CaretStep::kRight, {0, 1}},
      {{0, 25}, CaretStep::kRight, {1, 0}},  // over the break between paragraphs
      {{1, 0}, CaretStep::kLeft, {0, 25}},
      {{2, 1}, CaretStep::kRight, {2, 3}},  // never between the halves of a pair
      {{2, 3}, CaretStep::kLeft, {2, 1}},
      {{2, 6}, CaretStep::kRight, {2, 6}},  // the end stays
      {{0, 3}, CaretStep::kDown, {0, 12}},  // the same x on the next line
      {{0, 12}, CaretStep::kUp, {0, 3}},
      {{0, 8}, CaretStep::kDown, {0, 16}},  // a cut line ends before its last character
      {{0, 20}, CaretStep::kDown, {1, 0}},  // an empty paragraph's line
      {{1, 0}, CaretStep::kDown, {2, 0}},
      {{0, 2}, CaretStep::kUp, {0, 0}},     // above the first line: the start
      {{2, 3}, CaretStep::kDown, {2, 6}},   // below the last: the end
      {{9, 99}, CaretStep::kLeft, {2, 5}},  // a place past the text is its end
      {{0, 12}, CaretStep::kLineStart, {0, 9}},
      {{0, 12}, CaretStep::kLineEnd, {0, 16}},  // before the last character of a cut line
      {{0, 20}, CaretStep::kLineEnd, {0, 25}},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(StepCaret(layout_, s.from, s.step, measurer_), s.to)
        << s.from.paragraph << ":" << s.from.offset << " step " << static_cast<int>(s.step);
  }
  // A click nearest the pair's middle goes to its left.
  EXPECT_EQ(PlaceAtPoint(layout_, {15, 4 * kLineHeight + 4}, measurer_), (TextPlace{2, 1}));
}

TEST_F(TextPlacesTest, AnEmptyDisplayHasOnlyTheStart) {
  Show({});
  EXPECT_EQ(PlaceAtPoint(layout_, {30, 30}, measurer_), (TextPlace{}));
  EXPECT_EQ(StepCaret(layout_, {3, 3}, CaretStep::kDown, measurer_), (TextPlace{}));
}

}  // namespace
}  // namespace tavlex
