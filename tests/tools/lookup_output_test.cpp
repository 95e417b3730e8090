// What tavlex-lookup prints for an entry, in the cases its end-to-end tests
// leave out: the parts the viewer shows even when empty.
#include <gtest/gtest.h>

#include "tools/lookup/entry_output.h"

namespace tavlex::lookup {
namespace {

TEST(PlainEntry, EmptyTranslationEmptyShownPartsAndLineBreaks) {
  DictionarySettings settings;
  settings.showPhonetic = true;
  settings.showSample = true;
  Entry entry;
  entry.key = u"go";
  // The translation is always a part, even empty; empty shown parts are not.
  EXPECT_EQ(FormatPlainEntry(entry, settings), "go\n\n");
  entry.translation = u"one\ntwo\r\n";  // a lone LF breaks too; a final CR LF leaves an empty line
  EXPECT_EQ(FormatPlainEntry(entry, settings), "go\none\ntwo\n\n");
}

}  // namespace
}  // namespace tavlex::lookup
