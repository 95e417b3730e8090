// Colours that read on every palette, dark ones too: the hint in an empty
// field (the search mode's name in the search box), the palette's own
// placeholder colour where it reads well on the field's base, else a mix
// with the text colour that does; and a warning's colour likewise.
#pragma once

#include <QColor>
#include <QPalette>

namespace tavlex {

// The contrast a hint keeps against its base, as for body text.
inline constexpr double kPlaceholderContrast = 4.5;

// The contrast ratio of two colours, 1 to 21, from their relative luminances.
double ContrastRatio(const QColor& a, const QColor& b);

// colour when it has kPlaceholderContrast against background; else the mix
// of colour and text nearest colour that has it, or text itself where even
// that falls short.
QColor ReadableOn(const QColor& colour, const QColor& text, const QColor& background);

// The palette's placeholder colour made readable on its base (ReadableOn).
QColor ReadablePlaceholder(const QPalette& palette);

}  // namespace tavlex
