// What each activation of the main window takes from the clipboard: a text
// once, whatever re-sends it; a word from another program kept over one
// activation.
#include "view/activation_paste.h"

#include <gtest/gtest.h>

namespace tavlex {
namespace {

TEST(ActivationPaste, TakesEachCopiedTextOnce) {
  struct Step {
    const char* what;
    bool keepWord;                                // a look-up for the window came just before
    std::optional<std::u16string> clipboard;      // none: no text there
    std::optional<std::u16string> expectedPaste;  // none: the word stays
  };
  const Step steps[] = {
      {"the first activation takes what was there at start", false, u"apple", u"apple"},
      {"a keyboard appears: the same text again", false, u"apple", std::nullopt},
      {"a new copy", false, u"pear\nsecond line", u"pear"},
      {"the same first line, another rest", false, u"pear\r\nthird line", std::nullopt},
      {"a look-up from outside keeps its word", true, u"plum", std::nullopt},
      {"and what was there then counts as taken", false, u"plum", std::nullopt},
      {"a keep with nothing new lasts one activation", true, u"plum", std::nullopt},
      {"after which a copy is taken again", false, u"fig", u"fig"},
      {"a first line with nothing on it", false, u"\nkiwi", std::nullopt},
      {"an image on the clipboard", false, std::nullopt, std::nullopt},
      {"the text taken before the image, copied again", false, u"fig", u"fig"},
      {"the text pasted last, copied back after another", false, u"apple", u"apple"},
  };
  ActivationPaste paste;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.keepWord) paste.KeepWordOnce();
    EXPECT_EQ(paste.OnActivate(step.clipboard), step.expectedPaste);
  }
}

}  // namespace
}  // namespace tavlex
