// A window kept on its screen after the screen turned or shrank: cut to the
// available area with its title bar and frame, and moved into it.
#include "ui/screen_fit.h"

#include <gtest/gtest.h>

#include "tests/support/qt_printers.h"

namespace tavlex {
namespace {

TEST(KeepInside, AWindowFitsItsScreenTitleBarIncluded) {
  const QMargins frame(4, 28, 4, 4);
  const QRect landscape(0, 0, 1024, 768);
  EXPECT_EQ(KeepInside(QRect(100, 100, 500, 600), frame, landscape), QRect(100, 100, 500, 600));
  // The portrait height after a turn; beyond the right edge; larger every way.
  EXPECT_EQ(KeepInside(QRect(100, 100, 500, 1000), frame, landscape), QRect(100, 28, 500, 736));
  EXPECT_EQ(KeepInside(QRect(900, 50, 300, 200), frame, landscape), QRect(720, 50, 300, 200));
  EXPECT_EQ(KeepInside(QRect(-50, -50, 2000, 2000), frame, landscape), QRect(4, 28, 1016, 736));
  // A second screen to the right, with a panel on top.
  EXPECT_EQ(KeepInside(QRect(1100, 10, 400, 300), frame, QRect(1024, 30, 768, 1024)),
            QRect(1100, 58, 400, 300));
}

}  // namespace
}  // namespace tavlex
