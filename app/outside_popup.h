// OutsidePopup: the pop-up's life for texts from other programs. It shows the
// pop-up under the pointer, fills it with its own look-up of the text
// (SearchFlow::ScanApart, apart from the window's search), keeps its first hit in the word
// book, and opens its text in the main window, which comes up before the
// pop-up closes. Where a program reads the selection only while it has the
// focus (Wayland), it waits for the focus before the text is read.
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "engine/search/text_scan.h"
#include "platform/window_activation.h"
#include "view/font_cache.h"
#include "view/outside_lookup.h"

class QString;

namespace tavlex {

class CLookupPopup;
class CMainFrame;

class OutsidePopup : public QObject {
  Q_OBJECT

 public:
  // frame must outlive this object.
  explicit OutsidePopup(CMainFrame& frame);
  ~OutsidePopup() override;

  // Shows the pop-up with text looked up; an empty text waits to be read.
  void Show(const QString& text, const platform::WindowActivation& activation);
  // Raises the main window, then closes the pop-up.
  void ShowWindow(const platform::WindowActivation& activation);
  // The window that is to show the result of request (the pop-up where
  // inPopup) comes up first, with the token; focused() follows once it has the
  // focus. The main window goes on after a while without it; the pop-up says
  // that it waits for a click.
  void AwaitFocus(const LookupRequest& request, bool inPopup, const platform::WindowActivation& activation);

  // Null until the first look-up that shows it.
  CLookupPopup* popup() const { return popup_.get(); }
  bool shown() const;

 signals:
  // The request that waited may read the selection or the clipboard now.
  void focused(const LookupRequest& request);
  void closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ReadWaiting();
  void OnFocusWaitOver();
  // ウィンドウで開く, Return: the pop-up's text goes into the window's search box.
  void OpenInWindow();
  // Looks the pop-up's text up and shows what was found in it.
  void Fill();
  // Keeps the pop-up's first hit in the word book: the form found as its
  // headword, the pop-up's text with the covered part as its source. The
  // pop-up says what came of it.
  void KeepFirstHit();

  CMainFrame& frame_;
  std::unique_ptr<CLookupPopup> popup_;
  // What the pop-up's look-up found last.
  std::vector<ScanGroup> groups_;
  FontCache fonts_;
  // The request that waits for the focus, while focusWait_ is connected.
  LookupRequest waiting_;
  bool waitingInPopup_ = false;
  QMetaObject::Connection focusWait_;
  QTimer focusTimer_;
};

}  // namespace tavlex
