// What a result display shows for a look-up of a selected text: a heading
// over each group of hits, each entry as the window shows it,
// and where every hit's entry begins, against the paragraphs written out.
#include "view/scan_paragraphs.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "tests/support/qt_printers.h"
#include "tests/support/test_dictionaries.h"
#include "ui/editor.h"

namespace tavlex {
namespace {

class ScanParagraphsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(
        dir_, "a.dic", testing::Words({u"take", u"take care", u"take care of", u"go", u"食べる"}))));
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "b.dic", testing::Words({u"go", u"went"}))));
  }

  testing::TempDir dir_;
  DictionarySet set_;
  FontCache fonts_;
  wordbook::KeptMarks marks_;
};

TEST_F(ScanParagraphsTest, AHeadingGoesOverEachGroup) {
  struct Case {
    std::u16string text;
    QStringList shown;
    std::vector<size_t> starts;  // the headword paragraph of each hit
  };
  const std::vector<Case> cases = {
      {u"took care of the baby",
       {"took care of → take care of（過去形）", "take care of", "T:take care of", "",  //
        "took care → take care（過去形）", "take care", "T:take care", "",              //
        "took → take（過去形）", "take", "T:take", ""},
       {1, 5, 9}},
      // One heading over the same form in two dictionaries.
      {u"go home", {"go", "go", "T:go", "", "go", "T:go", ""}, {1, 4}},
      // The form as it stands and the form undone: one heading names both.
      {u"went",
       {"went → went、go（過去形）", "went", "T:went", "", "go", "T:go", "", "go", "T:go", ""},
       {1, 4, 7}},
      {u"食べなかった", {"食べなかった → 食べる（否定形・過去形）", "食べる", "T:食べる", ""}, {1}},
      {u"zzz", {}, {}},
  };
  for (const Case& c : cases) {
    CEditor display;
    const std::vector<ScanGroup> groups = ScanText(set_, c.text, {});
    const std::vector<size_t> starts = AppendScanGroups(display, fonts_, marks_, c.text, groups);
    QStringList shown;
    for (const Paragraph& paragraph : display.paragraphs()) shown << paragraph.text;
    EXPECT_EQ(shown, c.shown) << ::testing::PrintToString(c.text);
    EXPECT_EQ(starts, c.starts) << ::testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace tavlex
