// QtTextMeasurer: measures text with the fonts the display really draws in,
// through QFontMetrics on the display's own paint device.
#pragma once

#include <QWidget>

#include "ui/text_measurer.h"

namespace tavlex {

class QtTextMeasurer final : public TextMeasurer {
 public:
  explicit QtTextMeasurer(const QWidget& display) : display_(display) {}

  // The width is the horizontal advance (what the next run would start
  // after), the height is the font's line height (ascent plus descent).
  QSize Extent(const QFont* font, QStringView text) const override;

 private:
  const QWidget& display_;  // its font() is the default font; outlives the measurer
};

}  // namespace tavlex
