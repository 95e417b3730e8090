// Where the lookup view puts its two children: the search box on top, the
// result display below, with 2-pixel margins and a 2-pixel gap between them.
#pragma once

#include <QRect>
#include <QSize>

namespace tavlex {

struct LookupLayout {
  QRect searchEdit;
  QRect resultDisplay;
};

// textHeight is the height of the search box's font. The box is 1.4 times the
// text height plus a little, so that the text sits comfortably inside it.
LookupLayout ComputeLookupLayout(QSize client, int textHeight);

}  // namespace tavlex
