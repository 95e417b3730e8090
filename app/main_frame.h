// CMainFrame: the top-level window. It hosts the lookup view as its client
// and the menu bar above it. Commands that the view and its children do not
// handle come here, and what the frame does not handle goes on to the
// application object.
//
// The menu bar is rebuilt from its resource at every size change (the
// screen's too), at every settings-changed message of the view and on
// deactivation; the view fills the two dictionary menus, then every item gets
// its keypad label. The search menu's recent words are filled again, and
// labelled, each time their submenu is about to show. A rebuild held back by
// a dialog or a menu in front runs once that has gone.
#pragma once

#include <QMainWindow>

#include "app/menu_labels.h"
#include "app/menu_rebuild_gate.h"
#include "platform/messages.h"

namespace tavlex {

class CLookupView;
class CWordBookWindow;
class IniFile;
namespace platform {
class PhoneStatusService;
}

class CMainFrame : public QMainWindow, public platform::CommandTarget {
  Q_OBJECT

 public:
  // application handles what reaches it last, and phoneStatus hears when a
  // menu opens and closes; either may be null, and both must outlive the frame.
  CMainFrame(IniFile& settings, platform::CommandTarget* application,
             platform::PhoneStatusService* phoneStatus = nullptr);
  ~CMainFrame() override;

  bool OnCommand(int command) override;
  bool OnCommandState(int command, platform::CommandState& state) override;
  CLookupView* view() const { return view_; }
  CWordBookWindow* wordBookWindow() const { return wordBookWindow_; }

  // Waits while a dialog or a menu is in front, and runs when it has gone.
  void RebuildMenuBar();
  // The dialog or open menu in front of the frame; null when there is none.
  static QWidget* WindowInFront();

 signals:
  // The exit command: the window closes and the run ends, also where closing
  // the window alone would leave the viewer running.
  void exitRequested();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // The window manager's frame becomes known as the window moves: fit to it.
  void moveEvent(QMoveEvent* event) override;

 private:
  void BuildMenuBar();
  // Lists the recent words in recent now and each time it is about to show.
  void FillRecentWordsOnShow(QMenu* recent, const MenuLabelRules& rules);
  // Runs a rebuild that waited, or goes on waiting for what is in front now.
  void CatchUpMenuBar();
  // Listens to the size changes of the screen the window is on now.
  void FollowScreen();
  // The screen turned or changed size, or the window moved to another one:
  // fit the window to it again and relabel the menus for its shape.
  void OnScreenChanged();
  void CreateAccelerators();
  // F10 opens the first menu, as on every desktop; Alt and the mnemonics stay Qt's.
  void OpenFirstMenuOnF10();
  void OnMenuLoop(bool entering);
  bool IsPortrait() const;
  // Opens the word book's window, or brings it to the front.
  void ShowWordBook();

  platform::CommandTarget* application_;
  platform::PhoneStatusService* phoneStatus_;
  IniFile& settings_;  // the viewer's, which the word book's window remembers its Anki choice in
  CLookupView* view_;  // the client window, a child widget
  CWordBookWindow* wordBookWindow_ = nullptr;  // a child window, made at its first use
  MenuRebuildGate rebuildGate_;
  QMetaObject::Connection screenGeometry_;  // to the screen the window is on
  QMargins fittedFrame_;                    // the frame the window was fitted with last
};

}  // namespace tavlex
