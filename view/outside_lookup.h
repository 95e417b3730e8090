// What the viewer does with a word that comes from outside its window: a
// look-up asked from the command line or the session bus (a word, the text
// selected in another program, or the clipboard's), and new text that another
// program put on the clipboard while the viewer watches it. The pop-up looks
// the text up as a selected text, the main window in its search box; these
// rules only decide which text, and whether the pop-up or the window shows it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavlex {

struct LookupRequest {
  enum class Source {
    kNone,       // just bring the window to the front
    kWord,       // word
    kSelection,  // the text selected in any program; the clipboard where the platform has no selection
    kClipboard,
  };
  enum class Place {
    kDefault,  // as the "popup" setting says
    kWindow,
    kPopup,
  };

  Source source = Source::kNone;
  std::u16string word;  // for kWord
  Place place = Place::kDefault;

  bool operator==(const LookupRequest&) const = default;
};

struct LookupDecision {
  bool popup = false;                  // the pop-up shows the results; otherwise the main window comes up
  std::optional<std::u16string> text;  // the new search text; none: the search box stays as it was

  bool operator==(const LookupDecision&) const = default;
};

// The text of the selection or the clipboard (empty when nothing is there);
// none for the selection where the platform has none.
using ReadClipboardText = std::function<std::optional<std::u16string>(LookupRequest::Source source)>;

// The text is cut at its first line break. When nothing is left of it once
// stripped as a search strips a typed word, nothing is looked up: the main
// window comes up with its search box as it was.
LookupDecision DecideLookup(const LookupRequest& request, bool popupByDefault, const ReadClipboardText& read);

// Watched text longer than this is not a word a user wants looked up.
inline constexpr size_t kMostWatchedCharacters = 300;

// A change of the clipboard while the viewer watches it.
struct ClipboardChange {
  bool hasText = false;
  std::u16string text;
  bool ownedByViewer = false;
};

// The text to look up in the pop-up for a change of the clipboard, or none:
// for anything but text, for the viewer's own copies, for text longer than
// kMostWatchedCharacters or with nothing to search in its first line, and
// for the text looked up last (a clipboard manager taking over what was just
// copied, a compositor sending the clipboard again as a window gains focus).
std::optional<std::u16string> WatchedText(const ClipboardChange& change, std::u16string_view lastLookedUp);

// What the watch of the clipboard remembers between changes, so that a text
// is looked up once: what the clipboard held when the watch began and at its
// last change, and the text looked up last, from the clipboard or otherwise.
class ClipboardWatch {
 public:
  // The watch begins: what the clipboard holds now is not looked up. None
  // where it cannot be read yet (before a window of the viewer has the focus,
  // on Wayland): the first change then stands for what it held.
  void Start(const std::optional<ClipboardChange>& now);
  // A text was looked up from outside: copied again, it is a repeat.
  void LookedUp(std::u16string_view text);
  // The text to look up for this change (WatchedText), which is then the
  // last; none also for the text the clipboard held already, sent again (a
  // compositor does as a window gains the focus, after other look-ups too).
  std::optional<std::u16string> Changed(const ClipboardChange& change);

 private:
  std::u16string lastLookedUp_;         // the first line of the text looked up last
  std::optional<std::u16string> held_;  // the first line of the text on the clipboard; none for other data
  bool startUnread_ = false;            // the first change is what the clipboard held at the start
};

}  // namespace tavlex
