// CScrollDialog: the base of the viewer's settings dialogs. Their controls
// live in content(); when the dialog is shorter than its controls (a small
// screen), a real scroll bar scrolls them, and a control that takes the
// focus out of sight is scrolled into view; a notch of the mouse wheel
// scrolls three lines of controls wherever the pointer is in the dialog. The
// controls' area follows the dialog's height both ways. On the keypad device class the
// Back key (Escape here) becomes a Backspace in the focused field. The
// arithmetic is DialogScroller's; this class moves the widgets.
//
// Derived dialogs put their controls into content() with a layout, fill the
// fields in LoadFields and read them back in SaveFields; OK closes the
// dialog only when SaveFields succeeds.
#pragma once

#include <QDialog>
#include <vector>

#include "resources/menus.h"
#include "ui/dialog_scroller.h"

class QScrollBar;

namespace tavlex {

class CScrollDialog : public QDialog {
  Q_OBJECT

 public:
  // A dialog built with a scroll bar keeps it shown, disabled while there is
  // nothing to scroll; one built without shows it only while its controls
  // are taller than its client area.
  enum class ScrollBar { kAlwaysShown, kShownWhenNeeded };

  explicit CScrollDialog(QWidget* parent, ScrollBar bar = ScrollBar::kAlwaysShown);

  QWidget* content() const { return content_; }
  QScrollBar* scrollBar() const { return scrollBar_; }
  const DialogScroller& scroller() const { return scroller_; }

  // Reads the fields back; closes with OK only when every field is valid.
  void accept() override;

 protected:
  // Runs each time the dialog is shown: the fields are filled, the controls
  // measured, the dialog fitted to its screen and the scroll range applied.
  virtual void OnInitDialog();
  virtual void LoadFields() {}
  // False when a field is refused; the dialog then stays open.
  virtual bool SaveFields() { return true; }
  // Puts the bar of a menu resource (OK, Cancel) below the controls.
  void ShowMenuBar(const std::vector<MenuItem>& menu);

  void showEvent(QShowEvent* event) override;
  // The window manager's frame becomes known as the dialog moves: fit to it.
  void moveEvent(QMoveEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnSize(int clientHeight);
  void OnVScroll(int code, int position);
  void OnScrollBarAction(int action);
  // A wheel turned over the dialog; false when there is nothing to scroll (a
  // combo box under the pointer may take it then).
  bool OnWheel(const QWheelEvent* event);
  // The thumb and the controls to where the scroller says.
  void ShowScrollOffset();
  // A control took the focus: scroll it into view if it is not wholly visible.
  void OnControlFocused(QWidget* control);
  void WatchControls();

  QWidget* viewport_;  // the client area the controls scroll in
  QWidget* content_;   // holds the derived dialog's controls, moved by scrolling
  QScrollBar* scrollBar_;
  const ScrollBar barShown_;
  DialogScroller scroller_;
  QMargins fittedFrame_;  // the frame the dialog was fitted with last
  int lineHeight_ = 0;    // a line of controls: a text field and the space under it
};

}  // namespace tavlex
