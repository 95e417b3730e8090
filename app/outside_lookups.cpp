#include "app/outside_lookups.h"

#include <QGuiApplication>
#include <QTimer>

#include "app/global_shortcut.h"
#include "app/main_frame.h"
#include "platform/clipboard.h"
#include "platform/qt_text.h"
#include "resources/resource_ids.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

using platform::Clipboard;
using Source = LookupRequest::Source;

std::optional<std::u16string> ReadText(Source source) {
  const std::optional<Clipboard::Content> content = Clipboard::Read(
      source == Source::kSelection ? Clipboard::Mode::kSelection : Clipboard::Mode::kClipboard);
  if (!content) return std::nullopt;
  return ToU16String(content->text);
}

}  // namespace

OutsideLookups::OutsideLookups(IniFile& settings, CMainFrame& frame)
    : settings_(settings), frame_(frame), options_(LoadLookupOptions(settings)), popup_(frame) {
  // The run ends by the rules of EndRunIfNothingShown, not with the last window.
  qApp->setQuitOnLastWindowClosed(false);
  frame_.installEventFilter(this);
  connect(&frame_, &CMainFrame::exitRequested, this, &OutsideLookups::LetRunEnd);
  connect(&popup_, &OutsidePopup::focused, this, [this](const LookupRequest& request) {
    Show(DecideLookup(request, options_.popup, ReadText), {});
  });
  // Once the window has gone: a closing window is still visible here.
  connect(&popup_, &OutsidePopup::closed, this,
          [this] { QTimer::singleShot(0, this, &OutsideLookups::EndRunIfNothingShown); });
  connect(&clipboard_, &ClipboardFollower::copied, this, [this](const std::u16string& text) {
    Show({true, text}, {});
  });
  connect(&tray_, &ViewerTray::openWindowRequested, this, [this] { popup_.ShowWindow({}); });
  connect(&tray_, &ViewerTray::quitRequested, this,
          [this] { platform::PostCommand(frame_.view(), ids::kExit); });
  FollowWatchOption();
  // The frame built its menus before this object could answer for its items.
  platform::PostMessage(&frame_, ids::kWmSettingsChanged);
}

OutsideLookups::~OutsideLookups() = default;

void OutsideLookups::OnLaunch(const LookupRequest& request, const platform::WindowActivation& activation) {
  // With one of the viewer's windows in focus, the clipboards are readable already.
  if (Clipboard::ReadOnlyWithFocus() && !QGuiApplication::focusWindow() &&
      (request.source == Source::kSelection || request.source == Source::kClipboard)) {
    const bool inPopup = request.place == LookupRequest::Place::kPopup ||
                         (request.place == LookupRequest::Place::kDefault && options_.popup);
    popup_.AwaitFocus(request, inPopup, activation);
    return;
  }
  Show(DecideLookup(request, options_.popup, ReadText), activation);
}

void OutsideLookups::Show(const LookupDecision& decision, const platform::WindowActivation& activation) {
  if (!decision.text) {
    popup_.ShowWindow(activation);
    return;
  }
  clipboard_.LookedUp(*decision.text);
  const QString text = ToQString(*decision.text);
  if (decision.popup) {
    popup_.Show(text, activation);
    return;
  }
  popup_.ShowWindow(activation);
  frame_.view()->LookUp(text);  // the look-up was for the window
}

void OutsideLookups::OfferGlobalShortcut(const QDBusConnection& connection) {
  shortcut_ = std::make_unique<GlobalShortcut>(connection, frame_, options_.globalShortcut);
  connect(shortcut_.get(), &GlobalShortcut::bound, this, [this] {
    if (options_.globalShortcut) return;
    options_.globalShortcut = true;
    SaveOptions();
  });
  connect(shortcut_.get(), &GlobalShortcut::pressed, this, [this](const QString& token) {
    OnLaunch({Source::kSelection, u"", LookupRequest::Place::kPopup}, {QString(), token});
  });
}

bool OutsideLookups::OnCommand(int command) {
  switch (command) {
    case ids::kBindGlobalShortcut:
      if (!shortcut_ || !shortcut_->available()) return false;
      shortcut_->BindAsked();
      return true;
    case ids::kWatchClipboard:
      ToggleOption(&LookupOptions::watchClipboard);
      FollowWatchOption();
      return true;
    case ids::kPopupLookups:
      ToggleOption(&LookupOptions::popup);
      return true;
    default:
      return false;
  }
}

bool OutsideLookups::OnCommandState(int command, platform::CommandState& state) {
  switch (command) {
    case ids::kWatchClipboard:
      state.checked = options_.watchClipboard;
      return true;
    case ids::kPopupLookups:
      state.checked = options_.popup;
      return true;
    case ids::kBindGlobalShortcut:
      state.shown = shortcut_ && shortcut_->available();
      return true;
    default:
      return false;
  }
}

void OutsideLookups::ToggleOption(bool LookupOptions::*option) {
  options_.*option = !(options_.*option);
  SaveOptions();
}

// Written at once, as the view writes its own changes.
void OutsideLookups::SaveOptions() {
  SaveLookupOptions(options_, settings_);
  frame_.view()->SaveSettings();
}

void OutsideLookups::FollowWatchOption() {
  clipboard_.Follow(options_.watchClipboard);
  if (options_.watchClipboard) {
    tray_.Show();
  } else {
    tray_.Hide();
  }
}

void OutsideLookups::LetRunEnd() {
  ending_ = true;
  tray_.Hide();
}

void OutsideLookups::EndRunIfNothingShown() {
  if (frame_.isVisible() || popup_.shown() || (!ending_ && tray_.shown())) return;
  QCoreApplication::quit();
}

bool OutsideLookups::eventFilter(QObject* watched, QEvent* event) {
  // Once the window has gone: a closing window is still visible here.
  if (event->type() == QEvent::Close && watched == &frame_) {
    QTimer::singleShot(0, this, &OutsideLookups::EndRunIfNothingShown);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tavlex
