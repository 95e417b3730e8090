// OutsideLookups: the viewer's answer to texts from other programs. A request
// (from the viewer's own command line, a second start, the session bus or the
// global key) or new text on the watched clipboard is routed: to the pop-up
// (OutsidePopup), which has a look-up of its own and leaves the main window's
// search alone, or to the main window's search box when the request was for
// the window. It keeps the ツール menu's three items (watch the clipboard,
// show look-ups in the pop-up, ask the desktop for a global key), and decides
// when the run ends: once no window of the viewer is left and no tray icon
// (ViewerTray, shown while the clipboard is watched) keeps it.
#pragma once

#include <QObject>
#include <memory>

#include "app/clipboard_follower.h"
#include "app/launch_bus.h"
#include "app/outside_popup.h"
#include "app/viewer_tray.h"
#include "platform/messages.h"
#include "settings/lookup_options.h"

namespace tavlex {

class CMainFrame;
class GlobalShortcut;
class IniFile;

class OutsideLookups : public QObject, public LaunchHandler {
  Q_OBJECT

 public:
  // settings and frame must outlive this object.
  OutsideLookups(IniFile& settings, CMainFrame& frame);
  ~OutsideLookups() override;

  // The request of the viewer's own command line, or one that reached it.
  void OnLaunch(const LookupRequest& request, const platform::WindowActivation& activation) override;

  // Offers the ツール menu's global key where the desktop's portal binds
  // one, and binds it again at once when the user asked for it before.
  void OfferGlobalShortcut(const QDBusConnection& connection);

  bool OnCommand(int command);
  bool OnCommandState(int command, platform::CommandState& state);

  // The run is ending: nothing keeps it any more.
  void LetRunEnd();
  // Ends the run when no window of the viewer shows and no tray icon keeps it.
  void EndRunIfNothingShown();

  const LookupOptions& options() const { return options_; }
  // Null until the first look-up that shows it.
  CLookupPopup* popup() const { return popup_.popup(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Looks the decided text up in the pop-up or the main window, or brings
  // the main window up with its search box as it was.
  void Show(const LookupDecision& decision, const platform::WindowActivation& activation);
  // Follows the clipboard and shows the tray icon while options_ says so.
  void FollowWatchOption();
  void ToggleOption(bool LookupOptions::*option);
  void SaveOptions();

  IniFile& settings_;
  CMainFrame& frame_;
  LookupOptions options_;
  OutsidePopup popup_;
  ClipboardFollower clipboard_;
  ViewerTray tray_;
  std::unique_ptr<GlobalShortcut> shortcut_;  // where there is a session bus
  bool ending_ = false;
};

}  // namespace tavlex
