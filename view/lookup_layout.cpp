#include "view/lookup_layout.h"

#include <algorithm>

namespace tavlex {
namespace {

constexpr int kMargin = 2;

}  // namespace

LookupLayout ComputeLookupLayout(QSize client, int textHeight, int markerWidth) {
  const int h = (14 * (textHeight + 2)) / 10;
  const int width = client.width() - 2 * kMargin;
  LookupLayout layout{QRect(kMargin, kMargin, width, h - kMargin),
                      QRect(kMargin, h + kMargin, width, client.height() - h - 2 * kMargin), QRect()};
  if (markerWidth > 0) {
    // The box keeps at least half the width, whatever the marker asks.
    const int marker = std::min(markerWidth, width / 2);
    layout.searchEdit.setWidth(width - marker - kMargin);
    layout.modeMarker = QRect(layout.searchEdit.right() + 1 + kMargin, kMargin, marker, h - kMargin);
  }
  return layout;
}

}  // namespace tavlex
