// What a word from another program leads to: which text goes into the search
// box and where the results show, for each kind of request; and which changes
// of the watched clipboard are looked up.
#include "view/outside_lookup.h"

#include <gtest/gtest.h>

namespace tavlex {
namespace {

using Source = LookupRequest::Source;
using Place = LookupRequest::Place;

// The clipboards of one case: none stands for a platform without a selection.
struct Clipboards {
  std::optional<std::u16string> selection;
  std::u16string clipboard;
};

TEST(DecideLookup, TakesTheFirstLineOfTheRightTextAndPlacesItAsAskedOrAsSet) {
  struct Case {
    const char* what;
    LookupRequest request;
    bool popupByDefault;
    Clipboards clipboards;
    LookupDecision expected;
  };
  const Clipboards selected{u"(apple)\nsecond line", u"clip"};
  const Case cases[] = {
      {"a plain start", {Source::kNone, u"", Place::kPopup}, true, selected, {false, std::nullopt}},
      {"a word", {Source::kWord, u"go on", Place::kDefault}, false, selected, {false, u"go on"}},
      {"a word, pop-up set", {Source::kWord, u"go", Place::kDefault}, true, selected, {true, u"go"}},
      {"--window beats the setting", {Source::kWord, u"go", Place::kWindow}, true, selected, {false, u"go"}},
      {"--popup", {Source::kWord, u"go", Place::kPopup}, false, selected, {true, u"go"}},
      {"the selection, cut at its line break",
       {Source::kSelection, u"", Place::kPopup},
       false,
       selected,
       {true, u"(apple)"}},
      {"the clipboard, cut at a CR",
       {Source::kClipboard, u"", Place::kDefault},
       false,
       {u"sel", u"river\r\nbank"},
       {false, u"river"}},
      {"no selection on this platform: the clipboard",
       {Source::kSelection, u"", Place::kDefault},
       false,
       {std::nullopt, u"clip"},
       {false, u"clip"}},
      // Nothing selected is not the clipboard's old text: the window, its box as it was.
      {"nothing selected",
       {Source::kSelection, u"", Place::kPopup},
       false,
       {u"", u"clip"},
       {false, std::nullopt}},
      {"only what a search strips",
       {Source::kSelection, u"", Place::kPopup},
       false,
       {u" ?! \u3000", u""},
       {false, std::nullopt}},
      {"a first line that is empty",
       {Source::kClipboard, u"", Place::kPopup},
       false,
       {u"", u"\nword"},
       {false, std::nullopt}},
      {"an empty word", {Source::kWord, u"", Place::kPopup}, false, selected, {false, std::nullopt}},
  };
  for (const Case& c : cases) {
    const auto read = [&](Source source) -> std::optional<std::u16string> {
      if (source == Source::kSelection) return c.clipboards.selection;
      return c.clipboards.clipboard;
    };
    EXPECT_EQ(DecideLookup(c.request, c.popupByDefault, read), c.expected) << c.what;
  }
}

TEST(WatchedText, OnlyNewTextFromOtherProgramsThatHoldsAWord) {
  struct Case {
    const char* what;
    ClipboardChange change;
    std::u16string_view lastLookedUp;
    std::optional<std::u16string> expected;
  };
  const std::u16string longText(kMostWatchedCharacters + 1, u'a');
  const Case cases[] = {
      {"a copied word", {true, u"apple", false}, u"", u"apple"},
      {"a copied line with its break", {true, u"apple\n", false}, u"", u"apple"},
      {"the viewer's own copy", {true, u"apple", true}, u"", std::nullopt},
      {"an image", {false, u"", false}, u"", std::nullopt},
      {"a long text", {true, longText, false}, u"", std::nullopt},
      {"as long as allowed", {true, longText.substr(1), false}, u"", longText.substr(1)},
      {"punctuation only", {true, u"..", false}, u"", std::nullopt},
      {"the text looked up last", {true, u"apple", false}, u"apple", std::nullopt},
      {"another word than the last", {true, u"pear", false}, u"apple", u"pear"},
  };
  for (const Case& c : cases) EXPECT_EQ(WatchedText(c.change, c.lastLookedUp), c.expected) << c.what;
}

// A run of the watch: what it looks up as the clipboard changes and other
// look-ups happen, against the sequence written out.
TEST(ClipboardWatch, LooksEachTextUpOnce) {
  struct Step {
    const char* what;
    enum { kStart, kStartUnread, kChange, kLookedUp } kind;
    ClipboardChange change;  // kStart, kChange; kLookedUp: change.text is what was looked up
    std::optional<std::u16string> expected;
  };
  const Step steps[] = {
      {"the watch begins on a copied word", Step::kStart, {true, u"apple", false}, std::nullopt},
      {"the same word sent again", Step::kChange, {true, u"apple", false}, std::nullopt},
      {"with a line break", Step::kChange, {true, u"apple\nsecond", false}, std::nullopt},
      {"a new word", Step::kChange, {true, u"pear", false}, u"pear"},
      {"sent again when a window gains focus", Step::kChange, {true, u"pear", false}, std::nullopt},
      {"an image between", Step::kChange, {false, u"", false}, std::nullopt},
      {"the word again after the image", Step::kChange, {true, u"pear", false}, std::nullopt},
      {"the viewer's own copy", Step::kChange, {true, u"plum", true}, std::nullopt},
      {"a word looked up by the global key", Step::kLookedUp, {true, u"fig", false}, std::nullopt},
      {"then copied", Step::kChange, {true, u"fig", false}, std::nullopt},
      {"the first word again", Step::kChange, {true, u"apple", false}, u"apple"},
      {"a word looked up otherwise", Step::kLookedUp, {true, u"go", false}, std::nullopt},
      {"the clipboard sent again after it", Step::kChange, {true, u"apple", false}, std::nullopt},
      {"the watch begins anew on an image", Step::kStart, {false, u"", false}, std::nullopt},
      {"the last word copied", Step::kChange, {true, u"apple", false}, u"apple"},
      {"the watch begins where the clipboard cannot be read", Step::kStartUnread, {}, std::nullopt},
      {"what it held, sent as a window gains focus", Step::kChange, {true, u"pear", false}, std::nullopt},
      {"sent again", Step::kChange, {true, u"pear", false}, std::nullopt},
      {"a word copied since", Step::kChange, {true, u"fig", false}, u"fig"},
      {"begins unread on an empty clipboard", Step::kStartUnread, {}, std::nullopt},
      {"sent empty with the focus", Step::kChange, {false, u"", false}, std::nullopt},
      {"the first word copied", Step::kChange, {true, u"fig", false}, u"fig"},
  };
  ClipboardWatch watch;
  for (const Step& step : steps) {
    std::optional<std::u16string> got;
    switch (step.kind) {
      case Step::kStart:
        watch.Start(step.change);
        break;
      case Step::kStartUnread:
        watch.Start(std::nullopt);
        break;
      case Step::kChange:
        got = watch.Changed(step.change);
        break;
      case Step::kLookedUp:
        watch.LookedUp(step.change.text);
        break;
    }
    EXPECT_EQ(got, step.expected) << step.what;
  }
}

}  // namespace
}  // namespace tavlex
