#include "ui/my_edit.h"

#include <QContextMenuEvent>
#include <QMenu>

#include "platform/device.h"
#include "resources/menus.h"
#include "resources/resource_ids.h"

namespace tavlex {

CMyEdit::CMyEdit(QWidget* parent) : QLineEdit(parent) {}

bool CMyEdit::OnCommand(int command) {
  switch (command) {
    case ids::kEditCopy:
      copy();
      return true;
    case ids::kEditCut:
      cut();
      return true;
    case ids::kEditPaste:
      paste();
      return true;
    case ids::kEditUndo:
      undo();
      return true;
    default:
      return false;
  }
}

void CMyEdit::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (platform::DeviceClass() != platform::kTouchScreenDevice) return;
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("editPopupMenu"));
  for (const MenuItem& item : EditPopupMenu()) {
    if (item.text.isEmpty()) {
      menu.addSeparator();
    } else {
      menu.addAction(item.text)->setData(item.command);
    }
  }
  // The chosen command comes back to this control, as from the frame's menu.
  if (const QAction* chosen = menu.exec(event->globalPos())) OnCommand(chosen->data().toInt());
}

}  // namespace tavlex
