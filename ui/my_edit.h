// CMyEdit: a single-line edit with the pop-up edit menu (copy, cut, paste,
// undo) and the handlers of those four commands. The commands also reach it
// from the frame's menu and accelerators while it has the focus: the edit
// leaves their keys to the window's accelerators when it has any.
//
// It also follows an input method's composition: the composed text (preedit)
// shows in the box but is no part of text() until the input method commits it.
#pragma once

#include <QLineEdit>

#include "platform/messages.h"

namespace tavlex {

class CMyEdit : public QLineEdit, public platform::CommandTarget {
  Q_OBJECT

 public:
  explicit CMyEdit(QWidget* parent = nullptr);

  bool OnCommand(int command) override;

  // Pastes the clipboard's text up to its first line break over the
  // selection. Without text on the clipboard nothing changes: the old text
  // and its selection stay.
  void PasteFirstLine();

  // An input method is composing text in the box.
  bool composing() const { return composing_; }
  // Makes the composed text part of the box's text, as the input method's own
  // commit does; the input method hands it over where it can.
  void CommitComposition();
  // Drops the composed text; the box's text stays as it was.
  void CancelComposition();

 signals:
  // A composition began (true) or ended, committed or cancelled (false).
  // Emitted after the commit changed the text.
  void compositionChanged(bool composing);

 protected:
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Keeps the selection while the menu bar has the focus, so that the copy
  // and cut commands chosen there with the keyboard still find it.
  void focusOutEvent(QFocusEvent* event) override;
  // Shows the edit menu on the touch-screen device class; ignored elsewhere.
  // The request never reaches the default processing.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  bool composing_ = false;
  QString preedit_;  // the composed text the box shows
};

}  // namespace tavlex
