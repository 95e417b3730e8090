// The colour of the hint in an empty field (the search mode's name in the
// search box): the palette's own placeholder colour where it reads well on
// the field's base, else a mix of text and base that does.
#pragma once

#include <QColor>
#include <QPalette>

namespace tavlex {

// The contrast a hint keeps against its base, as for body text.
inline constexpr double kPlaceholderContrast = 4.5;

// The contrast ratio of two colours, 1 to 21, from their relative luminances.
double ContrastRatio(const QColor& a, const QColor& b);

// The palette's placeholder colour when it has kPlaceholderContrast against
// the base; else the mix of text and base nearest the base that has it, or the
// text colour itself where even that falls short.
QColor ReadablePlaceholder(const QPalette& palette);

}  // namespace tavlex
