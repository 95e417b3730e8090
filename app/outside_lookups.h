// OutsideLookups: the viewer's answer to words from other programs. A request
// (from the viewer's own command line, a second start, the session bus or a
// global key) or new text on the watched clipboard goes into the lookup
// view's search box, and the pop-up or the main window shows the results.
// It keeps the ツール menu's three items (watch the clipboard, show look-ups
// in the pop-up, ask the desktop for a global key), the tray icon that stays
// while the clipboard is watched, and decides when the run ends: once no
// window of the viewer is left and no tray icon keeps it.
#pragma once

#include <QObject>
#include <memory>

#include "app/launch_bus.h"
#include "platform/messages.h"
#include "settings/lookup_options.h"

class QMenu;
class QSystemTrayIcon;

namespace tavlex {

class CLookupPopup;
class CMainFrame;
class IniFile;
class ShortcutPortal;

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
  CLookupPopup* popup() const { return popup_.get(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A look-up of the selection or the clipboard where a program reads them
  // only while it has the focus (Wayland): the window that is to show the
  // result comes up first, with the token, and they are read once it has the
  // focus, or after a while without it.
  void LookUpOnceFocused(const LookupRequest& request, const platform::WindowActivation& activation);
  // Looks the decided text up in the pop-up or the main window, or brings
  // the main window up with its search box as it was.
  void Show(const LookupDecision& decision, const platform::WindowActivation& activation);
  void ShowPopup(const QString& text, const platform::WindowActivation& activation);
  void ShowWindow(const platform::WindowActivation& activation);
  void OnClipboardChanged();
  // Follows the clipboard and shows the tray icon while options_ says so.
  void FollowWatchOption();
  void ToggleOption(bool LookupOptions::*option);
  void SaveOptions();
  void BindGlobalShortcut();
  void OnShortcutBound(bool ok);

  IniFile& settings_;
  CMainFrame& frame_;
  LookupOptions options_;
  std::unique_ptr<CLookupPopup> popup_;
  // A child of this object, shown while the clipboard is watched where the desktop has a tray.
  QSystemTrayIcon* tray_ = nullptr;
  std::unique_ptr<QMenu> trayMenu_;
  QMetaObject::Connection clipboardWatch_;
  std::unique_ptr<ShortcutPortal> portal_;  // where there is a session bus
  bool bindingAsked_ = false;               // the user chose the menu item: a failure is told
  bool ending_ = false;
};

}  // namespace tavlex
