// Wrapping paragraphs into lines: where lines break, how high they are, that
// every character lands on exactly one line, and what it costs to find out.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <algorithm>
#include <numeric>

#include "tests/ui/fixed_measurer.h"
#include "tests/ui/line_texts.h"
#include "ui/editor_layout.h"

namespace tavlex {
namespace {

using namespace Qt::StringLiterals;
using Texts = std::vector<std::string>;

constexpr int kChar = FixedMeasurer::kDefault.charWidth;

// One paragraph laid out with 8-pixel characters in a client width.
Texts Wrapped(const QString& text, int clientWidth) {
  EditorLayout layout;
  layout.AppendText(text, nullptr);
  layout.Layout(clientWidth, FixedMeasurer());
  return LineTexts(layout);
}

TEST(WrapTest, BreakOnTheSpaceStartsTheNextLineWithIt) {
  // "hello" (40 px) is narrower than 48, "hello " is not.
  EXPECT_EQ(Wrapped("hello world", 6 * kChar), (Texts{"hello", " world"}));
}

TEST(WrapTest, WordThatWouldBeCutMovesWhole) {
  // Eight characters fit, ending in "wo": the line ends after the space.
  EXPECT_EQ(Wrapped("hello world", 9 * kChar), (Texts{"hello ", "world"}));
  EXPECT_EQ(Wrapped("see it, then go", 10 * kChar), (Texts{"see it, ", "then go"}));
}

TEST(WrapTest, WordWiderThanTheWindowIsCutWhereItStopsFitting) {
  EXPECT_EQ(Wrapped("abcdefghij", 4 * kChar + 4), (Texts{"abcd", "efgh", "ij"}));
  // After a space the long word still starts a line of its own, then is cut.
  EXPECT_EQ(Wrapped("a bcdefghij", 4 * kChar + 4), (Texts{"a ", "bcde", "fghi", "j"}));
}

TEST(WrapTest, OnlyAsciiLettersHoldTogether) {
  EXPECT_EQ(Wrapped(u"日本語の辞書"_s, 2 * kChar + 4), (Texts{"日本", "語の", "辞書"}));
  EXPECT_EQ(Wrapped("1234567", 2 * kChar + 4), (Texts{"12", "34", "56", "7"}));
  EXPECT_EQ(Wrapped(u"ééééé"_s, 3 * kChar + 4), (Texts{"ééé", "éé"}));
  EXPECT_EQ(Wrapped("abc123", 4 * kChar + 4), (Texts{"abc1", "23"}));
  EXPECT_EQ(Wrapped("x-ray", 3 * kChar + 4), (Texts{"x-", "ray"}));
}

TEST(WrapTest, WholeRestMayFillTheWidthExactlyButACutPrefixMustBeNarrower) {
  EXPECT_EQ(Wrapped("abcd", 4 * kChar), (Texts{"abcd"}));
  EXPECT_EQ(Wrapped("abcde", 4 * kChar), (Texts{"abc", "de"}));
  EXPECT_EQ(Wrapped("12345", 4 * kChar), (Texts{"123", "45"}));
}

TEST(WrapTest, LinesAreAsHighAsTheirFontAndAnEmptyParagraphIsOneEmptyLine) {
  const auto big = std::make_shared<const QFont>();
  FixedMeasurer measurer;
  measurer.SetMetrics(big.get(), {16, 30});
  EditorLayout layout;
  layout.AppendText("abcdef", big);
  layout.AppendText("", big);
  layout.AppendText("", nullptr);
  layout.Layout(4 * 16, measurer);

  EXPECT_EQ(LineTexts(layout), (Texts{"abc", "def", "", ""}));
  EXPECT_EQ(layout.lines()[1].height, 30);
  EXPECT_EQ(layout.lines()[2].count, 0);
  EXPECT_EQ(layout.lines()[2].height, 30);
  EXPECT_EQ(layout.lines()[3].count, 0);
  EXPECT_EQ(layout.lines()[3].height, FixedMeasurer::kDefault.height);
}

TEST(WrapTest, WindowNarrowerThanOneCharacterTakesOneCharacterALine) {
  EXPECT_EQ(Wrapped("ab cd", kChar / 2), (Texts{"a", "b", " ", "c", "d"}));
  EXPECT_EQ(Wrapped(u"日本"_s, 1), (Texts{"日", "本"}));
  // A character exactly as wide as the window is not narrower than it, yet
  // still gets a line.
  EXPECT_EQ(Wrapped("ab", kChar), (Texts{"a", "b"}));
}

TEST(WrapTest, ZeroWidthKeepsThePreviousLayout) {
  EditorLayout layout;
  layout.AppendText("abcdef", nullptr);
  layout.Layout(3 * kChar + 4, FixedMeasurer());
  layout.Layout(0, FixedMeasurer());
  EXPECT_EQ(LineTexts(layout), (Texts{"abc", "def"}));
}

// Random paragraphs over letters, spaces, kanji and digits in random widths:
// lines list every character once and in order, each line fits unless it is
// a single character, and a run of letters is split only where it fills a
// line on its own.
TEST(WrapTest, EveryCharacterLandsOnOneLineThatFits) {
  const QString alphabet = u"ab ab日1"_s;
  const auto IsLetter = [](QChar c) { return c == u'a' || c == u'b'; };
  QRandomGenerator random(20240611);
  for (int round = 0; round < 300; ++round) {
    EditorLayout layout;
    const int paragraphs = random.bounded(1, 4);
    for (int p = 0; p < paragraphs; ++p) {
      QString text;
      for (int length = random.bounded(0, 40); length > 0; --length) {
        text += alphabet[random.bounded(alphabet.size())];
      }
      layout.AppendText(text, nullptr);
    }
    const int width = random.bounded(1, 20 * kChar);
    layout.Layout(width, FixedMeasurer());
    SCOPED_TRACE(testing::Message() << "round " << round << ", width " << width);

    size_t line = 0;
    for (int p = 0; p < paragraphs; ++p) {
      const QString& text = layout.paragraphs()[p].text;
      int next = 0;
      do {
        ASSERT_LT(line, layout.lines().size());
        const DisplayLine& l = layout.lines()[line++];
        ASSERT_EQ(l.paragraph, p);
        ASSERT_EQ(l.first, next);
        const bool wholeRest = l.first + l.count == text.size();
        if (l.count > 1) {
          EXPECT_TRUE(wholeRest ? l.count * kChar <= width : l.count * kChar < width);
        }
        if (!wholeRest) {
          const bool splitsLetters = IsLetter(text[next + l.count - 1]) && IsLetter(text[next + l.count]);
          const bool lineIsOneRun = std::all_of(text.begin() + next, text.begin() + next + l.count, IsLetter);
          EXPECT_TRUE(!splitsLetters || lineIsOneRun) << text.toStdString();
        }
        next += l.count;
      } while (next < text.size());
    }
    EXPECT_EQ(line, layout.lines().size());
  }
}

// Characters of three widths (no letters, so any may end a line): each line
// is what filling it greedily gives, a long paragraph is not measured whole
// again for each of its lines, and the same width again measures nothing.
TEST(WrapTest, LinesFillGreedilyAndMeasureLittle) {
  struct Widths final : TextMeasurer {
    static int Of(QChar c) { return c == u'1' ? 2 : c == u'日' ? 16 : 8; }
    QSize Extent(const QFont*, QStringView text) const override {
      measured += text.size();
      return {std::accumulate(text.begin(), text.end(), 0, [](int w, QChar c) { return w + Of(c); }), 16};
    }
    mutable qsizetype measured = 0;
  };
  QRandomGenerator random(20261210);
  for (int round = 0; round < 100; ++round) {
    QString text;
    for (int n = random.bounded(1, 2000); n > 0; --n) text += u"1日2"_s[random.bounded(3)];
    const int width = random.bounded(16, 400);
    SCOPED_TRACE(testing::Message() << "round " << round << ", width " << width);
    Texts model;
    for (int first = 0, count = 0; first < text.size(); first += count) {
      int used = 0;
      for (count = 0; first + count < text.size() && used + Widths::Of(text[first + count]) < width; ++count)
        used += Widths::Of(text[first + count]);
      // The whole rest may fill the line exactly; a line holds a character at least.
      if (first + count + 1 == text.size() && used + Widths::Of(text.back()) == width) ++count;
      count = std::max(count, 1);
      model.push_back(text.mid(first, count).toStdString());
    }
    const Widths measurer;
    EditorLayout layout;
    layout.AppendText(text, nullptr);
    layout.LayOutLazily(width, measurer);
    layout.WrapThrough(0);
    EXPECT_EQ(LineTexts(layout), model);
    EXPECT_LE(measurer.measured, 40 * text.size() + 64);
    const qsizetype measured = measurer.measured;
    layout.LayOutLazily(width, measurer);  // a change of height only
    EXPECT_EQ(measurer.measured, measured);
  }
}

}  // namespace
}  // namespace tavlex
