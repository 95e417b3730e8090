// What the viewer does with a word that comes from outside its window: a
// look-up asked from the command line or the session bus (a word, the text
// selected in another program, or the clipboard's), and new text that another
// program put on the clipboard while the viewer watches it. The text goes into
// the search box and through the same search as a typed word; these rules only
// decide which text, and whether the pop-up or the main window shows it.
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
// for the text the pop-up shows already (a clipboard manager taking over what
// was just copied).
std::optional<std::u16string> WatchedText(const ClipboardChange& change, std::u16string_view popupShows);

}  // namespace tavlex
