// The clipboard and, where the platform has one, the primary selection (the
// text selected last in any program). Reads and writes go through here so
// that tests can put a stand-in in their place (tests/support/platform_fakes.h).
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace tavlex::platform {

class Clipboard {
 public:
  enum class Mode { kClipboard, kSelection };

  struct Content {
    bool hasText = false;        // false for an image, a file list, or nothing at all
    QString text;                // empty unless hasText
    bool ownedByViewer = false;  // this program put it there (a copy from the search box)

    bool operator==(const Content&) const = default;
  };

  // What the clipboard of that mode holds now; none where the platform has
  // no such clipboard (no primary selection).
  static std::optional<Content> Read(Mode mode);

  // Puts text on the clipboard of that mode, as this program's own; nothing
  // where the platform has no such clipboard.
  static void Write(Mode mode, const QString& text);

  // Whether a program reads the clipboards only while one of its windows has
  // the focus, as on Wayland (elsewhere: at any time).
  static bool ReadOnlyWithFocus();

  // Answers every read in place of the platform's clipboards.
  using StandIn = std::function<std::optional<Content>(Mode mode)>;
  // Tests: standIn answers from now on, read only with the focus or at any
  // time; an empty one puts the real clipboards back.
  static void SetStandInForTesting(StandIn standIn, bool readOnlyWithFocus = false);
  // Tests: writer takes every write from now on; an empty one puts the real clipboards back.
  using WriteStandIn = std::function<void(Mode mode, const QString& text)>;
  static void SetWriteStandInForTesting(WriteStandIn writer);
};

}  // namespace tavlex::platform
