// Where the pop-up goes on screens of several sizes: beside the pointer,
// inside the screen's edges, above the pointer near the bottom, and centred
// where the platform does not let a program place windows.
#include "ui/popup_placement.h"

#include <gtest/gtest.h>

#include "tests/support/qt_printers.h"

namespace tavlex {
namespace {

TEST(PlacePopup, BesideThePointerAndInsideTheScreen) {
  struct Case {
    const char* what;
    std::optional<QPoint> pointer;
    QRect available;
    QRect expected;
  };
  const QRect desktop(0, 0, 1920, 1050);
  const Case cases[] = {
      {"room below and right", QPoint(100, 100), desktop, QRect(112, 112, 380, 260)},
      {"near the right edge", QPoint(1900, 100), desktop, QRect(1540, 112, 380, 260)},
      {"near the bottom: above the pointer", QPoint(100, 1000), desktop, QRect(112, 728, 380, 260)},
      {"a screen beside the first", QPoint(1930, 40), QRect(1920, 30, 1280, 994), QRect(1942, 52, 380, 260)},
      {"a short screen, no room above or below", QPoint(10, 240), QRect(0, 0, 800, 480),
       QRect(22, 0, 380, 260)},
      {"a screen smaller than the pop-up", QPoint(5, 5), QRect(0, 0, 300, 200), QRect(0, 0, 300, 200)},
      {"no pointer: centred", std::nullopt, QRect(0, 0, 800, 480), QRect(210, 110, 380, 260)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlacePopup(c.pointer, QSize(380, 260), c.available), c.expected) << c.what;
}

}  // namespace
}  // namespace tavlex
