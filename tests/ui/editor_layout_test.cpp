// The display's paragraphs (cutting at CR LF, clearing) and where the top
// line goes when the text is laid out again for another width.
#include "ui/editor_layout.h"

#include <gtest/gtest.h>

#include "tests/ui/fixed_measurer.h"
#include "tests/ui/line_texts.h"
#include "ui/scroll_codes.h"

namespace tavlex {
namespace {

using Texts = std::vector<std::string>;

constexpr int kChar = FixedMeasurer::kDefault.charWidth;

Texts ParagraphTexts(const EditorLayout& layout) {
  Texts texts;
  for (const Paragraph& p : layout.paragraphs()) texts.push_back(p.text.toStdString());
  return texts;
}

TEST(AppendTextTest, CutsAtEveryCrLfAndNowhereElse) {
  const auto font = std::make_shared<const QFont>();
  EditorLayout layout;
  layout.AppendText("one\r\ntwo", font);
  layout.AppendText("ends\r\n", nullptr);
  layout.AppendText("a\r\n\r\nb", nullptr);
  layout.AppendText("lone\rcr\nlf\n\r", nullptr);
  layout.AppendText("", nullptr);
  layout.AppendText("\r\r\n", nullptr);

  EXPECT_EQ(ParagraphTexts(layout),
            (Texts{"one", "two", "ends", "", "a", "", "b", "lone\rcr\nlf\n\r", "", "\r", ""}));
  EXPECT_EQ(layout.paragraphs()[0].font, font);
  EXPECT_EQ(layout.paragraphs()[1].font, font);
  EXPECT_EQ(layout.paragraphs()[2].font, nullptr);
}

TEST(AppendTextTest, MarksFollowTheirCharactersIntoParagraphsAndLines) {
  EditorLayout layout;
  // "ab|cdef|gh" with marks over the first cut, inside the second piece, and at the very end.
  layout.AppendText("ab\r\ncdef\r\ngh", nullptr, {{1, 5}, {6, 7}, {11, 12}});
  ASSERT_EQ(layout.paragraphs().size(), 3u);
  EXPECT_EQ(layout.paragraphs()[0].marks, (std::vector<MarkRange>{{1, 2}}));
  EXPECT_EQ(layout.paragraphs()[1].marks, (std::vector<MarkRange>{{0, 1}, {2, 3}}));
  EXPECT_EQ(layout.paragraphs()[2].marks, (std::vector<MarkRange>{{1, 2}}));

  // A line of a wrapped paragraph gets the part of each mark on it.
  const Paragraph& cdef = layout.paragraphs()[1];
  EXPECT_EQ(MarksOnLine(cdef, {1, 0, 2, 10}), (std::vector<MarkRange>{{0, 1}}));
  EXPECT_EQ(MarksOnLine(cdef, {1, 2, 2, 10}), (std::vector<MarkRange>{{2, 3}}));
  EXPECT_TRUE(MarksOnLine(cdef, {1, 3, 1, 10}).empty());
}

TEST(AppendTextTest, TextAfterClearStartsAtTheTop) {
  EditorLayout layout;
  for (int i = 0; i < 20; ++i) layout.AppendText("old", nullptr);
  layout.Layout(100, FixedMeasurer());
  layout.PlacePage(50);
  ASSERT_TRUE(layout.Scroll(SB_BOTTOM, 0, 0));

  layout.Clear();
  EXPECT_TRUE(layout.paragraphs().empty());
  EXPECT_TRUE(layout.PlacePage(50).empty());  // no lines left that point at dropped paragraphs
  layout.AppendText("\r\nnew", nullptr);
  layout.Layout(100, FixedMeasurer());
  EXPECT_EQ(LineTexts(layout), (Texts{"", "new"}));
  EXPECT_EQ(layout.topLine(), 0);
}

// Ten paragraphs of twelve characters that break anywhere; a page two lines high.
class WidthChangeTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int p = 0; p < 10; ++p)
      layout_.AppendText(QString("%1:345678901").arg(p, 2, 10, QChar('0')), nullptr);
  }
  // Lays out with room for charsPerLine characters (and a bit) and paints.
  void LayOutAndPaint(int charsPerLine) {
    layout_.Layout(charsPerLine * kChar + kChar / 2, FixedMeasurer());
    layout_.PlacePage(2 * FixedMeasurer::kDefault.height);
  }
  const DisplayLine& Top() const { return layout_.lines()[layout_.topLine()]; }

  EditorLayout layout_;
};

TEST_F(WidthChangeTest, FirstVisibleCharacterStaysOnTheTopLine) {
  LayOutAndPaint(6);  // two lines a paragraph
  layout_.Scroll(SB_THUMBPOSITION, 7, 0);
  ASSERT_EQ(Top().paragraph, 3);
  ASSERT_EQ(Top().first, 6);

  // Each time the top line is the one holding the character that was first
  // in the window: 6 within 4-7, then 4 within 0-4, then 0.
  LayOutAndPaint(4);
  EXPECT_EQ(layout_.topLine(), 10);
  LayOutAndPaint(5);
  EXPECT_EQ(layout_.topLine(), 9);
  LayOutAndPaint(12);
  EXPECT_EQ(layout_.topLine(), 3);
  LayOutAndPaint(3);
  EXPECT_EQ(layout_.topLine(), 12);
  EXPECT_EQ(Top().paragraph, 3);
}

TEST_F(WidthChangeTest, TopLineStopsAtMaxTopLine) {
  LayOutAndPaint(6);
  layout_.Scroll(SB_THUMBPOSITION, 18, 0);  // paragraph 9, the last page
  LayOutAndPaint(12);
  // Ten lines and two whole lines a page: paragraph 9 can't be the top line.
  EXPECT_EQ(layout_.maxTopLine(), 8);
  EXPECT_EQ(layout_.topLine(), 8);
}

TEST(WidthChange, EmptyTopLineStaysTheTopLine) {
  EditorLayout layout;
  for (const char* text : {"first entry", "", "second entry", ""}) layout.AppendText(text, nullptr);
  layout.Layout(100 * kChar, FixedMeasurer());
  layout.PlacePage(FixedMeasurer::kDefault.height);
  ASSERT_TRUE(layout.Scroll(SB_LINEDOWN, 0, 0));

  layout.Layout(6 * kChar, FixedMeasurer());
  EXPECT_EQ(layout.topLine(), 2);  // "first", " entry", "", ...
  EXPECT_EQ(layout.lines()[layout.topLine()].paragraph, 1);
}

}  // namespace
}  // namespace tavlex
