// Where the view puts its children, without a window.
#include "view/lookup_layout.h"

#include <gtest/gtest.h>

namespace tavlex {
namespace {

TEST(LookupLayout, TwoChildrenWithTheirMargins) {
  const LookupLayout layout = ComputeLookupLayout(QSize(240, 268), 16);
  EXPECT_EQ(layout.searchEdit, QRect(2, 2, 236, 23));
  EXPECT_EQ(layout.resultDisplay, QRect(2, 27, 236, 239));
}

}  // namespace
}  // namespace tavlex
