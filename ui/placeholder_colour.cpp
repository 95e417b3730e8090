#include "ui/placeholder_colour.h"

#include <algorithm>
#include <cmath>

namespace tavlex {
namespace {

double Channel(double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double Luminance(const QColor& c) {
  return 0.2126 * Channel(c.redF()) + 0.7152 * Channel(c.greenF()) + 0.0722 * Channel(c.blueF());
}

QColor Mix(const QColor& text, const QColor& base, double share) {
  const auto mix = [share](float t, float b) { return static_cast<float>(share * t + (1 - share) * b); };
  return QColor::fromRgbF(mix(text.redF(), base.redF()), mix(text.greenF(), base.greenF()),
                          mix(text.blueF(), base.blueF()));
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& colour, const QColor& text, const QColor& background) {
  if (ContrastRatio(colour, background) >= kPlaceholderContrast) return colour;
  // The share of text grows in twentieths until the colour reads.
  for (int twentieths = 1; twentieths < 20; ++twentieths) {
    const QColor mixed = Mix(text, colour, twentieths / 20.0);
    if (ContrastRatio(mixed, background) >= kPlaceholderContrast) return mixed;
  }
  return text;
}

QColor ReadablePlaceholder(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Base);
  QColor own = palette.color(QPalette::PlaceholderText);
  // A placeholder drawn with some transparency is seen over the base.
  if (own.alphaF() < 1) own = Mix(QColor(own.red(), own.green(), own.blue()), base, own.alphaF());
  return ReadableOn(own, palette.color(QPalette::Text), base);
}

}  // namespace tavlex
