// The text above the pop-up's results: whole when it fits, else a start of
// it that fits followed by "…", the covered part marked on what is left.
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
  const struct {
    QString word;
    int end;  // of the part covered, from the start
  } cases[] = {
      {"go home", 2},
      {"took care of the children and of the house all day long", 12},
      {"took care of the children and of the house all day long", 40},  // the mark cut too
      {"子供たちの世話をしなかったので困ったことになったと言っていた", 9},
  };
  CLookupPopup popup;
  const auto* heading = popup.findChild<QLabel*>("popupWord");
  const int width = CLookupPopup::kSize.width();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word.toStdString());
    popup.ShowFor(c.word, QRect(QPoint(), CLookupPopup::kSize), {});
    popup.MarkCovered(0, c.end);
    const int room = heading->contentsRect().width();
    ASSERT_LT(room, width) << "beside the buttons";
    QString kept = PlainText(heading->text());
    EXPECT_LE(heading->fontMetrics().horizontalAdvance(kept), room);
    if (heading->fontMetrics().horizontalAdvance(c.word) > room) {
      ASSERT_TRUE(kept.endsWith(QChar(0x2026)));
      kept.chop(1);
    }
    EXPECT_TRUE(kept == c.word || (kept.size() < c.word.size() && c.word.startsWith(kept)));
    const QRegularExpressionMatch marked =
        QRegularExpression("<span[^>]*>(.*)</span>").match(heading->text());
    EXPECT_EQ(PlainText(marked.captured(1)), c.word.left(std::min<qsizetype>(c.end, kept.size())));
  }
  popup.close();
}

}  // namespace
}  // namespace tavlex
