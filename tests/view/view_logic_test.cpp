// The parts of the view that need no window: the children's layout and what
// an entry shows.
#include <gtest/gtest.h>

#include "view/entry_parts.h"
#include "view/lookup_layout.h"

namespace tavlex {
namespace {

TEST(LookupLayout, TwoChildrenWithTheirMargins) {
  const LookupLayout layout = ComputeLookupLayout(QSize(240, 268), 16);
  EXPECT_EQ(layout.searchEdit, QRect(2, 2, 236, 23));
  EXPECT_EQ(layout.resultDisplay, QRect(2, 27, 236, 239));
}

TEST(EntryParts, ShowSwitchesAndFonts) {
  const Entry entry{u"key", u"", 0, u"translation", u"pron", u"example", {}};
  DictionarySettings settings;
  settings.indexFont = u"Head";
  settings.indexSize = 12;
  auto parts = EntryParts(entry, settings);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0].text, "key");
  EXPECT_EQ(parts[0].face, "Head");
  EXPECT_EQ(parts[0].size, 12);
  EXPECT_EQ(parts[1].text, "translation");
  EXPECT_TRUE(parts[2].text.isEmpty());
  EXPECT_TRUE(parts[2].face.isEmpty());

  settings.showPhonetic = true;
  settings.showSample = true;
  parts = EntryParts(entry, settings);
  ASSERT_EQ(parts.size(), 5u);
  EXPECT_EQ(parts[1].text, "pron");
  EXPECT_EQ(parts[3].text, "example");

  const Entry bare{u"k", u"shown", 0, u"", u"", u"", {}};
  parts = EntryParts(bare, settings);  // empty parts are left out, but not the translation
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0].text, "shown");
  EXPECT_TRUE(parts[1].text.isEmpty());
}

}  // namespace
}  // namespace tavlex
