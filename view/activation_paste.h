// ActivationPaste: what the search box takes from the clipboard each time the
// main window becomes active. The first line of a text copied since the
// viewer last took one replaces the search word; the same text again is left
// alone (until the clipboard has held something else than text), since a window becomes active for more than
// a switch from another program: on Wayland, for one, also when a keyboard appears. A word that came from
// another program (a look-up for the window) stays over the next activation, and what the clipboard holds
// then counts as taken.
#pragma once

#include <optional>
#include <string>

namespace tavlex {

class ActivationPaste {
 public:
  // The window becomes active with clipboardText on the clipboard (none: no
  // text there). The line to paste over the search word, or none.
  std::optional<std::u16string> OnActivate(const std::optional<std::u16string>& clipboardText);

  // The search word came from another program: the next activation keeps it.
  void KeepWordOnce() { keepWord_ = true; }

 private:
  std::optional<std::u16string> taken_;  // the line taken last, pasted or kept over
  bool keepWord_ = false;
};

}  // namespace tavlex
