// The Japanese fallback of the display's default font.
#include "ui/japanese_font.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include "ui/editor.h"

namespace tavlex {
namespace {

TEST(JapaneseFallbackTest, JapaneseFamiliesComeRightAfterTheFirstFamily) {
  QFont font;
  font.setFamilies({"DejaVu Sans", "Noto Sans CJK SC"});
  const QStringList families = JapaneseFallback(font).families();
  EXPECT_EQ(families, (QStringList{"DejaVu Sans", "IPAGothic", "IPAPGothic", "IPAexGothic",
                                   "Noto Sans CJK JP", "Source Han Sans JP", "Noto Sans CJK SC"}));
  EXPECT_EQ(JapaneseFallback(JapaneseFallback(font)).families(), families);
}

// 直 is one of the kanji whose Chinese form differs visibly. Without a
// Japanese font installed there is nothing to check; without a Chinese one
// the glyph would come from IPA Gothic anyway, hence the family list too.
TEST(JapaneseFallbackTest, KanjiInTheDisplaysDefaultFontComeFromAJapaneseFont) {
  if (!QFontDatabase::families().contains("IPAGothic")) GTEST_SKIP() << "IPAGothic is not installed";
  const CEditor editor;
  EXPECT_EQ(editor.font().families().value(1), "IPAGothic");
  QTextLayout layout(QString::fromUtf8("直"), editor.font());
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  ASSERT_EQ(runs.size(), 1);
  EXPECT_EQ(runs[0].rawFont().familyName(), "IPAGothic");
}

}  // namespace
}  // namespace tavlex
