// Where the view puts its children, without a window.
#include "view/lookup_layout.h"

#include <gtest/gtest.h>

namespace tavlex {
namespace {

TEST(LookupLayout, TwoChildrenWithTheirMargins) {
  const LookupLayout layout = ComputeLookupLayout(QSize(240, 268), 16);
  EXPECT_EQ(layout.searchEdit, QRect(2, 2, 236, 23));
  EXPECT_EQ(layout.resultDisplay, QRect(2, 27, 236, 239));
  EXPECT_TRUE(layout.modeMarker.isNull());

  // A marker takes its width and a gap from the box; never more than half of it.
  const LookupLayout marked = ComputeLookupLayout(QSize(240, 268), 16, 50);
  EXPECT_EQ(marked.searchEdit, QRect(2, 2, 184, 23));
  EXPECT_EQ(marked.modeMarker, QRect(188, 2, 50, 23));
  EXPECT_EQ(marked.resultDisplay, layout.resultDisplay);
  EXPECT_EQ(ComputeLookupLayout(QSize(240, 268), 16, 500).modeMarker.width(), 118);
}

}  // namespace
}  // namespace tavlex
