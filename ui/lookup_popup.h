// CLookupPopup: the small window that shows a word looked up from another
// program, without bringing up the main window. It shows the results in a
// result display of its own (the same kind as the main window's, filled with
// the same paragraphs and fonts), the word above them and a button that opens
// the word in the main window. Escape, the close button or a click in another
// window closes it; it hands the focus to nobody, so where the focus goes then
// is the window manager's choice (most give it back to the window that had it).
// Return opens the word in the main window.
#pragma once

#include <QFrame>

#include "platform/window_activation.h"

class QLabel;

namespace tavlex {

class CEditor;

class CLookupPopup : public QFrame {
  Q_OBJECT

 public:
  // A comfortable size for a few entries, in logical pixels; smaller on a small screen.
  static constexpr QSize kSize{380, 260};

  CLookupPopup();

  CEditor* display() const { return display_; }
  const QString& word() const { return word_; }

  // Shows the pop-up for word at geometry and asks for the focus, with the
  // launching desktop's token when there is one. The display is emptied:
  // the search for word fills it.
  void ShowFor(const QString& word, const QRect& geometry, const platform::WindowActivation& activation);

  // Shows what results shows, or a line saying that nothing was found:
  // unlike the main window, the pop-up has no search box to explain it.
  void ShowResultsOf(const CEditor& results);

 signals:
  void openInWindowRequested();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString word_;
  QLabel* heading_;
  CEditor* display_;
};

}  // namespace tavlex
