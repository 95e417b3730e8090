#include "ui/my_edit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

#include "base/lines.h"
#include "platform/clipboard.h"
#include "platform/device.h"
#include "platform/qt_text.h"
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
  const std::optional<platform::Clipboard::Content> content =
      platform::Clipboard::Read(platform::Clipboard::Mode::kClipboard);
  if (!content) return;
  const std::u16string_view line = FirstLine(ToU16View(content->text));
  if (!line.empty()) insert(QString::fromStdU16String(std::u16string(line)));
}

void CMyEdit::inputMethodEvent(QInputMethodEvent* event) {
  // A commit changes the text, and so posts its change, before the composition ends.
  QLineEdit::inputMethodEvent(event);
  preedit_ = event->preeditString();
  if (composing_ == !preedit_.isEmpty()) return;
  composing_ = !composing_;
  emit compositionChanged(composing_);
}

void CMyEdit::CommitComposition() {
  if (!composing_) return;
  QGuiApplication::inputMethod()->commit();
  if (!composing_) return;
  // No input method took the request (none runs, or it kept quiet): the box
  // commits what it shows, and the input method starts afresh.
  QInputMethodEvent commit;
  commit.setCommitString(preedit_);
  inputMethodEvent(&commit);
  QGuiApplication::inputMethod()->reset();
}

void CMyEdit::CancelComposition() {
  if (!composing_) return;
  QGuiApplication::inputMethod()->reset();
  // Input methods drop their composition on a reset without telling the box.
  QInputMethodEvent none;
  inputMethodEvent(&none);
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
