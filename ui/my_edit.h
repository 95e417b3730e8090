// CMyEdit: a single-line edit with the pop-up edit menu (copy, cut, paste,
// undo) and the handlers of those four commands. The commands also reach it
// from the frame's menu and accelerators while it has the focus: the edit
// leaves their keys to the window's accelerators when it has any.
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

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Keeps the selection while the menu bar has the focus, so that the copy
  // and cut commands chosen there with the keyboard still find it.
  void focusOutEvent(QFocusEvent* event) override;
  // Shows the edit menu on the touch-screen device class; ignored elsewhere.
  // The request never reaches the default processing.
  void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace tavlex
