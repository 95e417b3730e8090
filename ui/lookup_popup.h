// CLookupPopup: the small window that shows a text looked up from another
// program, without bringing up the main window. Above its own result
// display it shows the text with the part the look-up covered marked, a
// button that opens the text in the main window, one that keeps the first hit
// in the word book (also Ctrl+D) and one that closes it.
// What the display shows is filled in by the one who looked the text up.
// Escape, the close button or a click in another window closes it; Return
// opens the text in the main window.
//
// It has a title of its own and keeps one size however it opens, so that a
// tiling compositor can be told to float it (and floats a window of a fixed
// size by itself).
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
  // launching desktop's token when there is one. The display is emptied.
  void ShowFor(const QString& word, const QRect& geometry, const platform::WindowActivation& activation);

  // Marks [begin, end) of the word shown above the display (UTF-16 units);
  // an empty range marks nothing. A word wider than its room is cut at the
  // end with "…", the mark kept on what is left of it.
  void MarkCovered(int begin, int end);

  // A line over the display saying what the user can do (empty: none).
  void SetHint(const QString& hint);
  QString hint() const;

 signals:
  void openInWindowRequested();
  void keepRequested();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The word with its mark, as much of it as the heading's width holds.
  void ShowHeading();

  QString word_;
  int coveredBegin_ = 0;
  int coveredEnd_ = 0;
  QLabel* heading_;
  QLabel* hint_;
  CEditor* display_;
};

}  // namespace tavlex
