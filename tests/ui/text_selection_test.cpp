// The selection of the result display without a window: its text and its
// part of each paragraph against the paragraphs laid end to end, and the
// words a double click takes, English and Japanese.
#include "ui/text_selection.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "tests/support/qt_printers.h"

namespace tavlex {
namespace {

std::vector<Paragraph> Paragraphs(const QStringList& texts) {
  std::vector<Paragraph> paragraphs;
  for (const QString& text : texts) paragraphs.push_back({text, nullptr});
  return paragraphs;
}

// Every pair of places, either way round, selects what the paragraphs joined
// by line breaks hold between the two; a place past the text is its end.
TEST(TextSelection, TextIsTheJoinedParagraphsBetweenAnchorAndCaret) {
  const QStringList texts = {"took care", "", "of 子供", "x"};
  const std::vector<Paragraph> paragraphs = Paragraphs(texts);
  const QString joined = texts.join(u'\n');
  std::vector<std::pair<TextPlace, int>> places;  // with the place's offset in joined
  int flat = 0;
  for (int p = 0; p < texts.size(); ++p) {
    for (int offset = 0; offset <= texts[p].size(); ++offset) places.push_back({{p, offset}, flat + offset});
    flat += static_cast<int>(texts[p].size()) + 1;
  }
  places.push_back({{2, 99}, 16});  // the end of "of 子供"
  places.push_back({{9, 0}, static_cast<int>(joined.size())});
  for (const auto& [anchor, from] : places) {
    for (const auto& [caret, to] : places) {
      TextSelection selection;
      selection.Start(anchor);
      selection.Extend(caret);
      const int begin = std::min(from, to);
      const QString expected = joined.mid(begin, std::max(from, to) - begin);
      ASSERT_EQ(selection.Text(paragraphs), expected) << from << " " << to;
      // Each paragraph's part is the piece of the expected text inside it.
      QString pieces;
      for (int p = 0; p < texts.size(); ++p) {
        if (p > selection.begin().paragraph && p <= selection.end().paragraph) pieces += u'\n';
        if (const auto part = selection.OnParagraph(p, static_cast<int>(texts[p].size())))
          pieces += texts[p].mid(part->begin, part->end - part->begin);
      }
      ASSERT_EQ(pieces, expected) << from << " " << to;
    }
  }
}

TEST(TextSelection, DoubleClickTakesTheWordAndLooksUpFromIt) {
  const struct {
    const char16_t* text;
    int offset;
    const char16_t* word;
  } cases[] = {
      {u"He took care of it", 4, u"took"},
      {u"He took care of it", 7, u" "},  // the character after the word: the space
      {u"the children's toys", 8, u"children's"},
      {u"toys, he", 4, u","},
      {u"ends here", 99, u"here"},  // past the end: the last word
      {u"辞書を引く", 1, u"辞書"},
      {u"Tシャツを買う", 2, u"シャツ"},
      {u"𠮷野家で", 1, u"𠮷"},  // the low half of a pair takes the pair
      {u"", 0, u""},
  };
  for (const auto& c : cases) {
    const std::vector<Paragraph> paragraphs = Paragraphs({"before", QString::fromUtf16(c.text)});
    TextSelection selection;
    selection.SelectWord(paragraphs, {1, c.offset});
    EXPECT_EQ(selection.Text(paragraphs), QString::fromUtf16(c.word))
        << QString::fromUtf16(c.text).toStdString();
    if (selection.empty()) continue;
    // The look-up reads from the word to the end of its paragraph; moved by a
    // key or the mouse, the selection is looked up as it is.
    const int begin = selection.begin().offset;
    EXPECT_EQ(selection.LookUpText(paragraphs), QString::fromUtf16(c.text).mid(begin));
    selection.Extend({1, begin + 1});
    EXPECT_EQ(selection.LookUpText(paragraphs), selection.Text(paragraphs));
  }
}

}  // namespace
}  // namespace tavlex
