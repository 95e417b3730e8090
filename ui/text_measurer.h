// TextMeasurer: how the result display learns the size of a run of text.
// Wrapping and scrolling depend on these extents only, so the arithmetic can
// run against fixed metrics as well as against the fonts on the screen.
#pragma once

#include <QFont>
#include <QSize>
#include <QStringView>

namespace tavlex {

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;

  // Width and height, in logical pixels, of text drawn in font on one line.
  // A null font means the display's default font.
  virtual QSize Extent(const QFont* font, QStringView text) const = 0;
};

}  // namespace tavlex
