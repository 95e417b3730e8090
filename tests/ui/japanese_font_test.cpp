// The Japanese fallback of the display's default font.
#include "ui/japanese_font.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <string>

#include "ui/editor.h"

namespace tavlex {
namespace {

// The family of the glyphs that font draws text with; empty when they come
// from several fonts.
std::string DrawingFamily(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  return runs.size() == 1 ? runs[0].rawFont().familyName().toStdString() : std::string();
}

TEST(JapaneseFallbackTest, JapaneseFamiliesComeRightAfterTheFirstFamily) {
  QFont font;
  font.setFamilies({"DejaVu Sans", "Noto Sans CJK SC"});
  const QStringList families = JapaneseFallback(font).families();
  EXPECT_EQ(families, (QStringList{"DejaVu Sans", "IPAGothic", "IPAPGothic", "IPAexGothic",
                                   "Noto Sans CJK JP", "Source Han Sans JP", "Noto Sans CJK SC"}));
  EXPECT_EQ(JapaneseFallback(JapaneseFallback(font)).families(), families);
}

// The desktop's font is usually an alias ("Sans Serif"); Latin text and IPA
// must still come from the family it stands for, proportionally spaced, not
// from the monospaced Japanese fonts, while 直, one of the kanji whose Chinese
// form differs visibly, keeps its Japanese form.
TEST(JapaneseFallbackTest, DisplaysDefaultFontDrawsLatinInTheDesktopsFontAndKanjiInAJapaneseOne) {
  if (!QFontDatabase::families().contains("IPAGothic")) GTEST_SKIP() << "IPAGothic is not installed";
  const CEditor editor;
  const QString family = QFontInfo(QApplication::font()).family();
  QFont resolved = QApplication::font();
  resolved.setFamilies({family});
  EXPECT_EQ(JapaneseFallback(editor.font()).families(), editor.font().families());

  const QFontMetricsF metrics(editor.font());
  EXPECT_EQ(metrics.horizontalAdvance("apple"), QFontMetricsF(resolved).horizontalAdvance("apple"));
  EXPECT_EQ(DrawingFamily("apple", editor.font()), family.toStdString());
  EXPECT_LT(metrics.horizontalAdvance(QString::fromUtf8("ˈ")), metrics.horizontalAdvance("a"));
  EXPECT_EQ(DrawingFamily(QString::fromUtf8("直"), editor.font()), "IPAGothic");
}

TEST(JapaneseFallbackTest, FaceNamedInTheSettingsKeepsItsLatinGlyphs) {
  if (!QFontDatabase::families().contains("DejaVu Serif")) GTEST_SKIP() << "DejaVu Serif is not installed";
  const QFont font = JapaneseFallback(QFont("DejaVu Serif", 12));
  EXPECT_EQ(DrawingFamily("apple", font), "DejaVu Serif");
  if (QFontDatabase::families().contains("IPAGothic")) {
    EXPECT_EQ(DrawingFamily(QString::fromUtf8("直"), font), "IPAGothic");
  }
}

}  // namespace
}  // namespace tavlex
