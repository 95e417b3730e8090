// The text above the pop-up's results: whole when it fits, else its longest
// start that fits followed by "…", the covered part marked on what is left.
#include "ui/lookup_popup.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QRegularExpression>
#include <QTextDocument>

namespace tavlex {
namespace {

QString PlainText(const QString& html) {
  QTextDocument document;
  document.setHtml(html);
  return document.toPlainText();
}

TEST(LookupPopup, AWordTooWideIsCutAtItsEndAndKeepsItsMark) {
  struct Case {
    QString word;
    int begin, end;  // the part covered
    int width;       // the pop-up's
  };
  const Case cases[] = {
      {"go home", 0, 2, 380},
      {"took care of the children and of the house all day long", 0, 12, 380},
      {"took care of the children and of the house all day long", 0, 12, 480},
      // The mark itself cut.
      {"took care of the children and of the house all day long", 0, 40, 380},
      {"子供たちの世話をしなかったので困ったことになったと言っていた", 0, 9, 380},
      {"an unmarked text that is far too long for the narrow pop-up", 0, 0, 380},
  };
  CLookupPopup popup;
  auto* heading = popup.findChild<QLabel*>("popupWord");
  ASSERT_NE(heading, nullptr);
  const QString ellipsis(QChar(0x2026));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word.toStdString() + " in " + std::to_string(c.width));
    popup.ShowFor(c.word, QRect(0, 0, c.width, 260), {});
    popup.MarkCovered(c.begin, c.end);
    const QFontMetrics metrics = heading->fontMetrics();
    const int room = heading->contentsRect().width();
    ASSERT_LT(room, c.width) << "beside the buttons, within the pop-up";
    const QString shown = PlainText(heading->text());
    QString kept = shown;
    if (metrics.horizontalAdvance(c.word) <= room) {
      EXPECT_EQ(shown, c.word);
    } else {
      ASSERT_TRUE(shown.endsWith(ellipsis));
      kept.chop(1);
      EXPECT_TRUE(c.word.startsWith(kept));
      EXPECT_LE(metrics.horizontalAdvance(shown), room);
      // The longest start that fits: one character more does not.
      EXPECT_GT(metrics.horizontalAdvance(c.word.left(kept.size() + 1) + ellipsis), room);
    }
    const QRegularExpressionMatch marked =
        QRegularExpression("<span[^>]*>(.*)</span>").match(heading->text());
    const QString model = c.word.mid(c.begin, std::min<qsizetype>(c.end, kept.size()) - c.begin);
    EXPECT_EQ(marked.hasMatch() ? PlainText(marked.captured(1)) : QString(), model);
  }
  popup.close();
}

}  // namespace
}  // namespace tavlex
