// What the dictionary settings dialog shows of a dictionary's settings, and
// what it gives back: every field both ways, and check states.
#include "view/dialog_fields.h"

#include <gtest/gtest.h>

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
  dictionary.settings() = {3,        7, true, true,        true, true, true,      u"Index", 8,
                           u"Trans", 9, true, u"Phonetic", 12,   true, u"Sample", 14,       u"英和"};
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

}  // namespace
}  // namespace tavlex
