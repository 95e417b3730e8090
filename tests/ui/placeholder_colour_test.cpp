// The hint in an empty search box reads on light and dark palettes alike.
#include "ui/placeholder_colour.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cmath>

#include "ui/index_edit.h"
#include "ui/palette_follower.h"

namespace tavlex {
namespace {

// The contrast of two opaque colours as the accessibility guidelines define it.
double Contrast(const QColor& a, const QColor& b) {
  const auto linear = [](int v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  const auto luminance = [&](const QColor& c) {
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
  };
  const double x = luminance(a), y = luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

QPalette Palette(QColor base, QColor text, QColor placeholder) {
  QPalette palette;
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::PlaceholderText, placeholder);
  return palette;
}

TEST(PlaceholderColour, ReadsOnItsBaseAndKeepsAGoodOneAsItIs) {
  struct Case {
    const char* what;
    QPalette palette;
    bool keptAsItIs;
  };
  const QColor darkBase(0x2a, 0x2a, 0x2a), lightText(0xee, 0xee, 0xee);
  for (const Case& c : {
           Case{"light, mid grey", Palette(Qt::white, Qt::black, QColor(0x60, 0x60, 0x60)), true},
           Case{"light, pale grey", Palette(Qt::white, Qt::black, QColor(0xc0, 0xc0, 0xc0)), false},
           Case{"dark, dark grey", Palette(darkBase, lightText, QColor(0x40, 0x40, 0x40)), false},
           Case{"dark, light half-transparent", Palette(darkBase, lightText, QColor(255, 255, 255, 128)),
                false},
           Case{"dark, light grey", Palette(darkBase, lightText, QColor(0xb0, 0xb0, 0xb0)), true},
           Case{"text itself too dim", Palette(darkBase, QColor(0x50, 0x50, 0x50), QColor(0x30, 0x30, 0x30)),
                false},
       }) {
    const QColor base = c.palette.color(QPalette::Base), text = c.palette.color(QPalette::Text);
    const QColor shown = ReadablePlaceholder(c.palette);
    if (c.keptAsItIs) {
      EXPECT_EQ(shown, c.palette.color(QPalette::PlaceholderText)) << c.what;
    }
    // Readable where the text is; never past the text, so that it still looks like a hint.
    EXPECT_GE(Contrast(shown, base) + 0.01, std::min(4.5, Contrast(text, base))) << c.what;
    EXPECT_LE(Contrast(shown, base), Contrast(text, base) + 0.01) << c.what;
  }
}

TEST(PlaceholderColour, AWarningsRedReadsOnLightAndDarkWindows) {
  struct Case {
    const char* what;
    QColor window, text;
    bool keptAsItIs;
  };
  const QColor red(0xb0, 0x00, 0x20);
  for (const Case& c : {
           Case{"light", QColor(0xef, 0xef, 0xef), Qt::black, true},
           Case{"dark", QColor(0x2d, 0x2d, 0x2d), QColor(0xdc, 0xdc, 0xdc), false},
           Case{"dark, dim text", QColor(0x2d, 0x2d, 0x2d), QColor(0x60, 0x60, 0x60), false},
       }) {
    const QColor shown = ReadableOn(red, c.text, c.window);
    if (c.keptAsItIs) {
      EXPECT_EQ(shown, red) << c.what;
    }
    EXPECT_GE(Contrast(shown, c.window) + 0.01, std::min(4.5, Contrast(c.text, c.window))) << c.what;
    // Still red where it can be: more red than green.
    if (Contrast(c.text, c.window) > 4.5) {
      EXPECT_GT(shown.red(), shown.green() + 40) << c.what;
    }
  }
}

TEST(PlaceholderColour, TheSearchBoxFollowsAPaletteChangedWhileItRuns) {
  QWidget parent;
  auto* box = new CIndexEdit(&parent);
  const QColor darkBase(0x20, 0x20, 0x20);
  parent.setPalette(Palette(darkBase, QColor(0xe0, 0xe0, 0xe0), QColor(0x38, 0x38, 0x38)));
  QApplication::processEvents();
  EXPECT_GE(Contrast(box->palette().color(QPalette::PlaceholderText), darkBase), 4.5);
  parent.setPalette(Palette(Qt::white, Qt::black, QColor(0x70, 0x70, 0x70)));
  QApplication::processEvents();
  EXPECT_EQ(box->palette().color(QPalette::PlaceholderText), QColor(0x70, 0x70, 0x70));
}

TEST(PlaceholderColour, AFollowedColourComesFromThePaletteInheritedEachTime) {
  QWidget parent;
  auto* label = new QLabel(&parent);
  int asked = 0;
  // The inherited window colour turned round: a model that shows which palette was read.
  FollowPalette(label, QPalette::WindowText, [&](const QPalette& palette) {
    ++asked;
    const QColor window = palette.color(QPalette::Window);
    return QColor(255 - window.red(), 255 - window.green(), 255 - window.blue());
  });
  for (const QColor window : {QColor(0x10, 0x20, 0x30), QColor(0xf0, 0xe0, 0xd0), QColor(0x10, 0x20, 0x30)}) {
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    parent.setPalette(palette);
    QApplication::processEvents();
    EXPECT_EQ(label->palette().color(QPalette::WindowText),
              QColor(255 - window.red(), 255 - window.green(), 255 - window.blue()));
    EXPECT_EQ(label->palette().color(QPalette::Window), window) << "the rest inherited";
  }
  EXPECT_LE(asked, 10) << "setting the colour does not start it again and again";
}

}  // namespace
}  // namespace tavlex
