// CMainFrame: the top-level window. It hosts the lookup view as its client
// and the menu bar above it. Commands that the view and its children do not
// handle come here, and what the frame does not handle goes on to the
// application object.
//
// The menu bar is rebuilt from its resource at every size change, at every
// settings-changed message of the view and on deactivation; the view fills
// the two dictionary menus, then every item gets its keypad label.
#pragma once

#include <QMainWindow>

#include "platform/messages.h"

namespace tavlex {

class CLookupView;
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

  // Not while a dialog or a menu is in front: the next rebuild catches up.
  void RebuildMenuBar();

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateAccelerators();
  void OnMenuLoop(bool entering);
  bool IsPortrait() const;

  platform::CommandTarget* application_;
  platform::PhoneStatusService* phoneStatus_;
  CLookupView* view_;  // the client window, a child widget
};

}  // namespace tavlex
