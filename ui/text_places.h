// Where a point of the result display, or a caret key, leads in its text:
// the arithmetic of the mouse and the keyboard selection, measured through
// the display's TextMeasurer so that it runs against fixed metrics too.
#pragma once

#include <QPoint>

#include "ui/editor_layout.h"
#include "ui/text_measurer.h"
#include "ui/text_selection.h"

namespace tavlex {

// The place nearest point, for a display whose top line is drawn from y 0
// (the lines above it at negative y): the line under point's y, the lines
// above or below every line for a point beyond them, then the boundary
// between two characters nearest point's x. {0, 0} without lines.
TextPlace PlaceAtPoint(const EditorLayout& layout, QPoint point, const TextMeasurer& measurer);

enum class CaretStep { kLeft, kRight, kUp, kDown, kLineStart, kLineEnd };

// Where the caret goes from place: a character back or forward (across the
// break between two paragraphs, never between the halves of a surrogate
// pair), to the place on the line above or below nearest its x, or to the
// start or the end of its line (Home, End). It stays at the start and the
// end of the text.
TextPlace StepCaret(const EditorLayout& layout, TextPlace place, CaretStep step,
                    const TextMeasurer& measurer);

}  // namespace tavlex
