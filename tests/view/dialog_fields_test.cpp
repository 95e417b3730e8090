// What the settings dialogs show of the settings they edit, and what they give
// back: every field both ways, check states, and the delays the options
// dialog cannot show as they are.
#include "view/dialog_fields.h"

#include <gtest/gtest.h>

#include <climits>

#include "engine/dictionary_set.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

TEST(DialogFields, EveryDictionarySettingGoesThereAndBack) {
  testing::TempDir dir;
  DictionarySet set;
  ASSERT_TRUE(set.Open(testing::WriteTestDictionary(dir, "a.dic", testing::Words({u"w"}))));
  Dictionary& dictionary = set.at(0);
  // Every field differs from its default, so a field left out in either direction shows.
  dictionary.settings() = {.cacheSize = 3,
                           .searchMax = 7,
                           .english = true,
                           .irregular = true,
                           .accent = true,
                           .englishConjugation = true,
                           .notUsed = true,
                           .indexFont = u"Index",
                           .indexSize = 8,
                           .transFont = u"Trans",
                           .transSize = 9,
                           .showPhonetic = true,
                           .phoneticFont = u"Phonetic",
                           .phoneticSize = 12,
                           .showSample = true,
                           .sampleFont = u"Sample",
                           .sampleSize = 14,
                           .dicName = u"英和"};
  const CDicSettingDlg::Fields fields = DictionaryDialogFields(dictionary);
  EXPECT_EQ(fields.path, QString::fromStdU16String(dictionary.path()));
  EXPECT_EQ(fields.removeRequest, 0);
  EXPECT_EQ(fields.english, 1);
  EXPECT_EQ(fields.cacheSize, 3u);
  EXPECT_EQ(fields.indexFont, "Index");
  EXPECT_EQ(SettingsFromDialog(fields), dictionary.settings());

  CDicSettingDlg::Fields indeterminate = fields;
  indeterminate.irregular = 2;
  EXPECT_TRUE(SettingsFromDialog(indeterminate).irregular);
}

TEST(DialogFields, OptionsThereAndBack) {
  struct Case {
    ViewerOptions stored;
    CSettingDlg::Fields shown;
    ViewerOptions confirmed;  // when the dialog is confirmed as it opened
  };
  const auto options = [](bool incresearch, int32_t delay, int32_t conjudelay, int32_t menuTenkey) {
    ViewerOptions o;
    o.incresearch = incresearch;
    o.delay = delay;
    o.conjudelay = conjudelay;
    o.menuTenkey = menuTenkey;
    o.fontOnStorage = u"/bin/loader";
    return o;
  };
  for (const Case& c : std::vector<Case>{
           {options(true, 300, 500, 1), {1, 300, 500, 1}, options(true, 300, 500, 1)},
           // A hand-edited file: negative delays mean 0, a keypad switch other than 1 is off.
           {options(false, -5, -1, 2), {0, 0, 0, 0}, options(false, 0, 0, 0)},
       }) {
    const CSettingDlg::Fields shown = OptionsDialogFields(c.stored);
    EXPECT_EQ(std::tie(shown.incrementalSearch, shown.delay, shown.conjudelay, shown.menuTenkey),
              std::tie(c.shown.incrementalSearch, c.shown.delay, c.shown.conjudelay, c.shown.menuTenkey));
    EXPECT_EQ(OptionsFromDialog(shown, c.stored), c.confirmed);
  }
  // The inflection delay has no bound in the dialog; the setting holds what an int32 can.
  EXPECT_EQ(OptionsFromDialog({1, 0, 4000000000u, 0}, ViewerOptions()).conjudelay, INT32_MAX);
}

}  // namespace
}  // namespace tavlex
