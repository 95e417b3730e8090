// A colour of a widget's palette that follows the palette it inherits: set
// now, and again whenever the palette changes (a dark theme chosen while the
// program runs), so that a colour made readable stays readable.
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>
#include <functional>

namespace tavlex {

// Keeps role of widget's palette at colour(the palette widget inherits) from
// now on, for as long as widget lives.
void FollowPalette(QWidget* widget, QPalette::ColorRole role, std::function<QColor(const QPalette&)> colour);

}  // namespace tavlex
