// OutsideLookups: the viewer's answer to texts from other programs. A request
// (from the viewer's own command line, a second start, the session bus or a
// global key) or new text on the watched clipboard is looked up as a selected
// text is (ScanText): in the pop-up, which has a look-up of its own and
// leaves the main window's search alone, or in the main window's search box
// when the request was for the window or the user opens the pop-up's text there.
// It keeps the ツール menu's three items (watch the clipboard, show look-ups
// in the pop-up, ask the desktop for a global key), the tray icon that stays
// while the clipboard is watched, and decides when the run ends: once no
// window of the viewer is left and no tray icon keeps it.
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "app/launch_bus.h"
#include "engine/search/text_scan.h"
#include "platform/messages.h"
#include "settings/lookup_options.h"
#include "view/font_cache.h"

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
  // focus. The main window reads them after a while without it; the pop-up
  // says that it waits for a click.
  void LookUpOnceFocused(const LookupRequest& request, const platform::WindowActivation& activation);
  void LookUpWaiting();
  void OnFocusWaitOver();
  // Looks the decided text up in the pop-up or the main window, or brings
  // the main window up with its search box as it was.
  void Show(const LookupDecision& decision, const platform::WindowActivation& activation);
  void ShowPopup(const QString& text, const platform::WindowActivation& activation);
  // Raises the main window, then closes the pop-up.
  void ShowWindow(const platform::WindowActivation& activation);
  // ウィンドウで開く, Return: the pop-up's text goes into the window's search box.
  void OpenPopupInWindow();
  // Looks the pop-up's text up and shows what was found in it.
  void FillPopup();
  // Keeps the pop-up's first hit in the word book: the form found as its
  // headword, the pop-up's text with the covered part as its source. The
  // pop-up says what came of it.
  void KeepFirstHit();
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
  // The pop-up's own look-up, apart from the window's search: what it found
  // last, and what the look-ups of the set keep between them.
  std::vector<ScanGroup> popupGroups_;
  ScanMemory scanMemory_;
  FontCache popupFonts_;
  // A child of this object, shown while the clipboard is watched where the desktop has a tray.
  QSystemTrayIcon* tray_ = nullptr;
  std::unique_ptr<QMenu> trayMenu_;
  QMetaObject::Connection clipboardWatch_;
  ClipboardWatch watch_;
  // The request that waits for the focus, while focusWait_ is connected.
  LookupRequest waiting_;
  bool waitingInPopup_ = false;
  QMetaObject::Connection focusWait_;
  QTimer focusTimer_;
  std::unique_ptr<ShortcutPortal> portal_;  // where there is a session bus
  bool bindingAsked_ = false;               // the user chose the menu item: a failure is told
  bool ending_ = false;
};

}  // namespace tavlex
