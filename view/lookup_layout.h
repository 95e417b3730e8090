// Where the lookup view puts its two children: the search box on top, the
// result display below, with 2-pixel margins and a 2-pixel gap between them.
// The marker of a search mode other than the prefix search sits at the right
// of the box, which gives up its width and a gap.
#pragma once

#include <QRect>
#include <QSize>

namespace tavlex {

struct LookupLayout {
  QRect searchEdit;
  QRect resultDisplay;
  QRect modeMarker;  // empty without a marker
};

// textHeight is the height of the search box's font. The box is 1.4 times the
// text height plus a little, so that the text sits comfortably inside it.
// markerWidth: 0 for no marker.
LookupLayout ComputeLookupLayout(QSize client, int textHeight, int markerWidth = 0);

}  // namespace tavlex
