#include "ui/popup_placement.h"

#include <algorithm>

namespace tavlex {
namespace {

// Between the pointer and the pop-up, so that the pointer covers none of its text.
constexpr int kGap = 12;

}  // namespace

QRect PlacePopup(std::optional<QPoint> pointer, QSize size, const QRect& available) {
  size = size.boundedTo(available.size());
  QRect placed(QPoint(), size);
  if (!pointer) {
    placed.moveCenter(available.center());
    return placed;
  }
  const int below = pointer->y() + kGap;
  const int above = pointer->y() - kGap - size.height();
  const int y = below + size.height() <= available.bottom() + 1 ? below : std::max(above, available.top());
  const int x = std::clamp(pointer->x() + kGap, available.left(), available.right() + 1 - size.width());
  placed.moveTopLeft(QPoint(x, y));
  return placed;
}

}  // namespace tavlex
