// ClipboardFollower: the watch of the clipboard that ツール → クリップボードを監視
// turns on. While it follows, each text another program copies is handed on
// once (ClipboardWatch decides which are new); what the clipboard held when
// the watch began is left alone. On Wayland it watches through the
// compositor's data-control protocol where there is one, which sees a copy
// while no viewer window has the focus; elsewhere through Qt's clipboard.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <string_view>

#include "platform/wayland_clipboard_monitor.h"
#include "view/outside_lookup.h"

namespace tavlex {

class ClipboardFollower : public QObject {
  Q_OBJECT

 public:
  // Follows the clipboard from now on, or no longer.
  void Follow(bool on);
  // A text was looked up from outside: copied again, it is not new.
  void LookedUp(std::u16string_view text) { watch_.LookedUp(text); }

 signals:
  // Another program copied a text to look up.
  void copied(const std::u16string& text);

 private:
  void OnChanged();
  void OnSelection(const platform::WaylandClipboardMonitor::Selection& selection);
  void Hand(const ClipboardChange& change);

  QMetaObject::Connection connection_;  // to Qt's clipboard, when it watches through Qt
  std::unique_ptr<platform::WaylandClipboardMonitor> monitor_;  // when it watches through data-control
  ClipboardWatch watch_;
};

}  // namespace tavlex
