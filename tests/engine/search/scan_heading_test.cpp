// The headings above the groups of a look-up of a selected text: what they
// say when forms were found with rules undone, as they stand, several at
// once, and for a group that does not fit the text.
#include "engine/search/scan_heading.h"

#include <gtest/gtest.h>

#include "base/utf8.h"

namespace tavlex {
namespace {

struct HeadingCase {
  std::u16string text;
  uint32_t begin, end;
  std::vector<std::pair<std::u16string, std::vector<FormRule>>> hits;  // form, rules
  std::u16string heading;
};

TEST(ScanHeading, SaysWhatWasCoveredAndWhatWasFound) {
  using R = FormRule;
  const HeadingCase cases[] = {
      {u"took care of the", 0, 12, {{u"take care of", {R::kPast}}}, u"took care of → take care of（過去形）"},
      {u"take care of", 0, 9, {{u"take care", {}}}, u"take care"},
      // one label for the same form in two dictionaries
      {u"took it", 0, 4, {{u"take", {R::kPast}}, {u"take", {R::kPast}}}, u"took → take（過去形）"},
      {u"食べさせられなかった",
       0,
       10,
       {{u"食べる", {R::kCausative, R::kPassive, R::kNegative, R::kPast}}},
       u"食べさせられなかった → 食べる（使役形・受身形・否定形・過去形）"},
      // a form as it stands beside one with rules undone: both said
      {u"lying down", 0, 5, {{u"lying", {}}, {u"lie", {R::kIng}}}, u"lying → lying、lie（現在分詞）"},
      // a start that is not the first of the text
      {u"  Took", 2, 6, {{u"take", {R::kPast}}}, u"Took → take（過去形）"},
      // folded alike is not as it stands: the form differs
      {u"かーどを", 0, 3, {{u"かーど", {}}}, u"かーど"},
      {u"Take", 0, 4, {{u"take", {}}}, u"Take → take"},
      // a group beyond the text covers nothing
      {u"took", 2, 9, {{u"take", {R::kPast}}}, u" → take（過去形）"},
  };
  for (const HeadingCase& c : cases) {
    ScanGroup group{c.begin, c.end, {}};
    for (const auto& [form, rules] : c.hits) group.hits.push_back({nullptr, form, rules});
    EXPECT_EQ(Utf16ToUtf8(HeadingOf(c.text, group)), Utf16ToUtf8(c.heading)) << Utf16ToUtf8(c.text);
  }
}

}  // namespace
}  // namespace tavlex
