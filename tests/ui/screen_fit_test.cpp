// A window kept on its screen after the screen turned or shrank: cut to the
// available area with its title bar and frame, and moved into it.
#include "ui/screen_fit.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace tavlex {
namespace {

TEST(KeepInside, AWindowFitsItsScreenTitleBarIncluded) {
  const QMargins decoration(4, 28, 4, 4);
  const QRect landscape(0, 0, 1024, 768);
  struct Case {
    const char* what;
    QRect rect;
    QRect available;
    QRect kept;
  };
  const Case cases[] = {
      {"fits", QRect(100, 100, 500, 600), landscape, QRect(100, 100, 500, 600)},
      {"the portrait height after a turn", QRect(100, 100, 500, 1000), landscape, QRect(100, 28, 500, 736)},
      {"beyond the right edge", QRect(900, 50, 300, 200), landscape, QRect(720, 50, 300, 200)},
      {"larger every way", QRect(-50, -50, 2000, 2000), landscape, QRect(4, 28, 1016, 736)},
      {"a screen to the right, a panel on top", QRect(1100, 10, 400, 300), QRect(1024, 30, 768, 1024),
       QRect(1100, 58, 400, 300)},
  };
  for (const Case& c : cases) EXPECT_EQ(KeepInside(c.rect, decoration, c.available), c.kept) << c.what;
}

}  // namespace
}  // namespace tavlex
