#include "ui/my_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>

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
      PasteFirstLine();
      return true;
    case ids::kEditUndo:
      undo();
      return true;
    default:
      return false;
  }
}

void CMyEdit::PasteFirstLine() {
  QString text = QGuiApplication::clipboard()->text();
  const qsizetype lineBreak = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  if (lineBreak >= 0) text.truncate(lineBreak);
  if (!text.isEmpty()) insert(text);
}

namespace {

bool IsEditCommandKey(const QKeyEvent* key) {
  return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
         key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Undo);
}

}  // namespace

bool CMyEdit::event(QEvent* event) {
  // Not claiming the key lets an accelerator of the window take it, which
  // sends its command through the routing back to this edit.
  if (event->type() == QEvent::ShortcutOverride && IsEditCommandKey(static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  return QLineEdit::event(event);
}

void CMyEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteFirstLine();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CMyEdit::focusOutEvent(QFocusEvent* event) {
  const int start = selectionStart();
  const int length = static_cast<int>(selectedText().size());
  const bool backwards = cursorPosition() == start;
  QLineEdit::focusOutEvent(event);
  if (event->reason() == Qt::MenuBarFocusReason && start >= 0 && !hasSelectedText()) {
    // A negative length leaves the cursor at the start, where it was.
    if (backwards) {
      setSelection(start + length, -length);
    } else {
      setSelection(start, length);
    }
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
