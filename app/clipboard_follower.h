// ClipboardFollower: the watch of the clipboard that ツール → クリップボードを監視
// turns on. While it follows, each text another program copies is handed on
// once (ClipboardWatch decides which are new); what the clipboard held when
// the watch began is left alone.
#pragma once

#include <QObject>
#include <string>
#include <string_view>

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

  QMetaObject::Connection connection_;
  ClipboardWatch watch_;
};

}  // namespace tavlex
