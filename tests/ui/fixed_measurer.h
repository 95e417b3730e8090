// FixedMeasurer: text metrics a test can count on. Every character of a font
// is equally wide and every run equally high: 8 by 16 pixels unless the test
// gives that font other sizes.
#pragma once

#include <map>

#include "ui/text_measurer.h"

namespace tavlex {

class FixedMeasurer final : public TextMeasurer {
 public:
  struct Metrics {
    int charWidth;
    int height;
  };
  static constexpr Metrics kDefault{8, 16};

  void SetMetrics(const QFont* font, Metrics metrics) { metrics_[font] = metrics; }

  QSize Extent(const QFont* font, QStringView text) const override {
    const auto found = metrics_.find(font);
    const Metrics m = found == metrics_.end() ? kDefault : found->second;
    return {m.charWidth * static_cast<int>(text.size()), m.height};
  }

 private:
  std::map<const QFont*, Metrics> metrics_;  // keys only compared, never followed
};

}  // namespace tavlex
