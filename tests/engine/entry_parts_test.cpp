// What an entry shows: the show switches, the fonts, the display form.
#include "engine/entry_parts.h"

#include <gtest/gtest.h>

namespace tavlex {
namespace {

TEST(EntryParts, ShowSwitchesAndFonts) {
  const Entry entry{u"key", u"", 0, u"translation", u"pron", u"example", {}};
  DictionarySettings settings;
  settings.indexFont = u"Head";
  settings.indexSize = 12;
  auto parts = EntryParts(entry, settings);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].text, u"key");
  EXPECT_EQ(parts[0].face, u"Head");
  EXPECT_EQ(parts[0].size, 12);
  EXPECT_EQ(parts[1].text, u"translation");
  EXPECT_EQ(parts[1].face, u"");

  settings.showPhonetic = true;
  settings.showSample = true;
  parts = EntryParts(entry, settings);
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[1].text, u"pron");
  EXPECT_EQ(parts[3].text, u"example");

  const Entry bare{u"k", u"shown", 0, u"", u"", u"", {}};
  parts = EntryParts(bare, settings);  // empty parts are left out, but not the translation
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].text, u"shown");
  EXPECT_EQ(parts[1].text, u"");
}

}  // namespace
}  // namespace tavlex
