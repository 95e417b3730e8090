// MenuRebuildGate: when the main frame may rebuild its menu bar. Replacing
// the bar while a dialog or an open menu is in front would pull it away from
// under the user, so a rebuild asked for then waits, remembered, until
// nothing is in front: the frame is active again, or the window in front has
// gone. A rebuild that no one remembered would leave the dictionary menus
// stale, naming dictionaries by their old names and places.
#pragma once

namespace tavlex {

class MenuRebuildGate {
 public:
  // A rebuild is asked for (settings changed, a size change, deactivation):
  // true when it may run now; otherwise it waits.
  bool Ask(bool somethingInFront);
  // Something that may end a wait happened (activation, the window in front
  // went): true when a waiting rebuild may run now.
  bool CatchUp(bool somethingInFront);

  bool waiting() const { return waiting_; }

 private:
  bool waiting_ = false;
};

}  // namespace tavlex
