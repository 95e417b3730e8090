#include "app/outside_lookups.h"

#include <QtGui/qguiapplication_platform.h>

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

#include "app/main_frame.h"
#include "app/shortcut_portal.h"
#include "platform/clipboard.h"
#include "platform/display_platform.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"
#include "resources/icon.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "ui/editor.h"
#include "ui/lookup_popup.h"
#include "ui/popup_placement.h"
#include "ui/scroll_codes.h"
#include "view/dictionary_menu.h"
#include "view/lookup_view.h"
#include "view/scan_paragraphs.h"

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

// Wayland lets no program place its windows: the compositor does.
bool PlatformPlacesWindows() { return !platform::IsWayland(); }

// How long a look-up of the selection waits for the focus where it needs it
// before the main window reads without it, or the pop-up says what to do.
constexpr int kFocusWaitMs = 500;

QRect PopupGeometry() {
  std::optional<QPoint> pointer;
  if (PlatformPlacesWindows()) pointer = QCursor::pos();
  const QScreen* screen = pointer ? QGuiApplication::screenAt(*pointer) : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  return PlacePopup(pointer, CLookupPopup::kSize, screen->availableGeometry());
}

}  // namespace

OutsideLookups::OutsideLookups(IniFile& settings, CMainFrame& frame)
    : settings_(settings), frame_(frame), options_(LoadLookupOptions(settings)) {
  focusTimer_.setSingleShot(true);
  connect(&focusTimer_, &QTimer::timeout, this, &OutsideLookups::OnFocusWaitOver);
  // The run ends by the rules of EndRunIfNothingShown, not with the last window.
  qApp->setQuitOnLastWindowClosed(false);
  frame_.installEventFilter(this);
  connect(&frame_, &CMainFrame::exitRequested, this, &OutsideLookups::LetRunEnd);
  FollowWatchOption();
  // The frame built its menus before this object could answer for its items.
  platform::PostMessage(&frame_, ids::kWmSettingsChanged);
}

OutsideLookups::~OutsideLookups() = default;

void OutsideLookups::OnLaunch(const LookupRequest& request, const platform::WindowActivation& activation) {
  // With one of the viewer's windows in focus, the clipboards are readable already.
  if (Clipboard::ReadOnlyWithFocus() && !QGuiApplication::focusWindow() &&
      (request.source == Source::kSelection || request.source == Source::kClipboard)) {
    LookUpOnceFocused(request, activation);
    return;
  }
  Show(DecideLookup(request, options_.popup, ReadText), activation);
}

void OutsideLookups::LookUpOnceFocused(const LookupRequest& request,
                                       const platform::WindowActivation& activation) {
  const bool inPopup = request.place == LookupRequest::Place::kPopup ||
                       (request.place == LookupRequest::Place::kDefault && options_.popup);
  if (inPopup) {
    ShowPopup(QString(), activation);
  } else {
    ShowWindow(activation);
  }
  disconnect(focusWait_);  // an earlier request still waiting gives way
  waiting_ = request;
  waitingInPopup_ = inPopup;
  focusWait_ = connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
    if (window) LookUpWaiting();
  });
  focusTimer_.start(kFocusWaitMs);
}

void OutsideLookups::LookUpWaiting() {
  disconnect(focusWait_);
  focusTimer_.stop();
  Show(DecideLookup(waiting_, options_.popup, ReadText), {});
}

void OutsideLookups::OnFocusWaitOver() {
  if (!focusWait_) return;
  // Read now, without the focus, the selection would be empty and the pop-up
  // would go: it stays, and reads once the user gives it the focus.
  if (waitingInPopup_ && popup_ && popup_->isVisible()) {
    popup_->SetHint(LoadString(ids::kPopupNeedsFocus));
    return;
  }
  LookUpWaiting();
}

void OutsideLookups::Show(const LookupDecision& decision, const platform::WindowActivation& activation) {
  if (!decision.text) {
    ShowWindow(activation);
    return;
  }
  watch_.LookedUp(*decision.text);
  const QString text = ToQString(*decision.text);
  if (decision.popup) {
    ShowPopup(text, activation);
    return;
  }
  ShowWindow(activation);
  frame_.view()->LookUp(text);  // the look-up was for the window
}

void OutsideLookups::ShowWindow(const platform::WindowActivation& activation) {
  // Raised while the pop-up still shows: a compositor lets a window come
  // forward only at the request of the window that has the focus.
  platform::BringToFront(&frame_, activation);
  if (popup_) popup_->close();
}

void OutsideLookups::OpenPopupInWindow() {
  frame_.view()->LookUp(popup_->word());
  ShowWindow({});
}

void OutsideLookups::ShowPopup(const QString& text, const platform::WindowActivation& activation) {
  if (!popup_) {
    popup_ = std::make_unique<CLookupPopup>();
    popup_->installEventFilter(this);
    connect(popup_.get(), &CLookupPopup::openInWindowRequested, this, &OutsideLookups::OpenPopupInWindow);
    connect(popup_.get(), &CLookupPopup::keepRequested, this, &OutsideLookups::KeepFirstHit);
  }
  popup_->ShowFor(text, PopupGeometry(), activation);
  popupGroups_.clear();
  if (!text.isEmpty()) FillPopup();
}

void OutsideLookups::FillPopup() {
  CLookupView& view = *frame_.view();
  const std::u16string text = ToU16String(popup_->word());
  popupGroups_ =
      ScanText(view.dictionarySet(), text, {view.searchFlow().searchOptions().foldKana}, &scanMemory_);
  CEditor& display = *popup_->display();
  display.Clear();
  if (popupGroups_.empty()) {
    display.AppendText(LoadString(ids::kNothingFound), nullptr);
  } else {
    popup_->MarkCovered(static_cast<int>(popupGroups_.front().begin),
                        static_cast<int>(popupGroups_.front().end));
    AppendScanGroups(display, popupFonts_, view.wordBook().Marks(), text, popupGroups_);
  }
  display.Layout();
  display.viewport()->update();
}

void OutsideLookups::KeepFirstHit() {
  if (popupGroups_.empty()) {
    popup_->SetHint(LoadString(ids::kNothingToKeep));
    return;
  }
  const ScanGroup& group = popupGroups_.front();
  const ScanHit& hit = group.hits.front();
  const std::shared_ptr<const Dictionary> dictionary = hit.entry->dictionary.lock();
  if (!dictionary) return;  // removed since it was shown
  const std::u16string source = ToU16String(popup_->word());
  wordbook::KeptEntry kept = wordbook::EntryToKeep(*hit.entry, ToU16String(DictionaryMenuName(*dictionary)),
                                                   dictionary->path(), source, group.begin, group.end);
  kept.headword = hit.form;
  const wordbook::Change change = frame_.view()->wordBook().Keep(std::move(kept));
  const QString headword = ToQString(hit.form);
  switch (change.outcome) {
    case wordbook::Change::kDone:
      popup_->SetHint(LoadString(ids::kEntryKept).arg(headword));
      break;
    case wordbook::Change::kAlreadyKept:
      popup_->SetHint(LoadString(ids::kEntryAlreadyKept).arg(headword));
      break;
    default:
      popup_->SetHint(LoadString(ids::kEntryNotKept).arg(QString::fromStdString(change.error)));
  }
  const int top = popup_->display()->topLine();
  FillPopup();  // the mark beside the headword
  popup_->display()->Scroll(SB_THUMBTRACK, top);
}

void OutsideLookups::OnClipboardChanged() {
  const std::optional<Clipboard::Content> content = Clipboard::Read(Clipboard::Mode::kClipboard);
  if (!content) return;
  const std::optional<std::u16string> text =
      watch_.Changed({content->hasText, ToU16String(content->text), content->ownedByViewer});
  if (text) Show({true, text}, {});
}

void OutsideLookups::OfferGlobalShortcut(const QDBusConnection& connection) {
  portal_ = std::make_unique<ShortcutPortal>(connection);
  connect(portal_.get(), &ShortcutPortal::availabilityKnown, this, [this](bool available) {
    if (!available) return;
    platform::PostMessage(&frame_, ids::kWmSettingsChanged);  // the menu item shows
    if (options_.globalShortcut) BindGlobalShortcut();
  });
  connect(portal_.get(), &ShortcutPortal::bound, this, &OutsideLookups::OnShortcutBound);
  connect(portal_.get(), &ShortcutPortal::activated, this, [this](const QString& token) {
    OnLaunch({LookupRequest::Source::kSelection, u"", LookupRequest::Place::kPopup}, {QString(), token});
  });
  portal_->Probe();
}

void OutsideLookups::BindGlobalShortcut() {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  const QString parent =
      x11 && frame_.isVisible() ? QStringLiteral("x11:%1").arg(frame_.winId(), 0, 16) : QString();
  portal_->Bind(LoadString(ids::kShortcutDescription), parent);
}

void OutsideLookups::OnShortcutBound(bool ok) {
  const bool asked = std::exchange(bindingAsked_, false);
  if (ok && !options_.globalShortcut) {
    options_.globalShortcut = true;
    SaveOptions();
  }
  if (!ok && asked) {
    platform::MessageBox::Show(&frame_, LoadString(ids::kShortcutNotBound), LoadString(ids::kErrorCaption),
                               platform::MessageBox::kOk);
  }
}

bool OutsideLookups::OnCommand(int command) {
  switch (command) {
    case ids::kBindGlobalShortcut:
      if (!portal_ || !portal_->available()) return false;
      bindingAsked_ = true;
      BindGlobalShortcut();
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
      state.shown = portal_ && portal_->available();
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
  if (!options_.watchClipboard) {
    disconnect(clipboardWatch_);
    if (tray_) tray_->hide();
    return;
  }
  if (!clipboardWatch_) {
    // What the clipboard holds already was copied before the watch began.
    const std::optional<Clipboard::Content> now = Clipboard::Read(Clipboard::Mode::kClipboard);
    watch_.Start(now ? ClipboardChange{now->hasText, ToU16String(now->text), now->ownedByViewer}
                     : ClipboardChange{});
    clipboardWatch_ =
        connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [this](QClipboard::Mode mode) {
          if (mode == QClipboard::Clipboard) OnClipboardChanged();
        });
  }
  // Without a tray Qt warns at every start; the window stays the way back.
  if (!tray_ && !QSystemTrayIcon::isSystemTrayAvailable()) return;
  if (!tray_) {
    tray_ = new QSystemTrayIcon(ProgramIcon(), this);
    tray_->setObjectName(QStringLiteral("trayIcon"));
    tray_->setToolTip(LoadString(ids::kTrayToolTip));
    trayMenu_ = std::make_unique<QMenu>();
    trayMenu_->setObjectName(QStringLiteral("trayMenu"));
    connect(trayMenu_->addAction(LoadString(ids::kTrayOpenWindow)), &QAction::triggered, this,
            [this] { ShowWindow({}); });
    connect(trayMenu_->addAction(LoadString(ids::kTrayQuit)), &QAction::triggered, this,
            [this] { platform::PostCommand(frame_.view(), ids::kExit); });
    tray_->setContextMenu(trayMenu_.get());
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
      if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) ShowWindow({});
    });
  }
  tray_->show();
}

void OutsideLookups::LetRunEnd() {
  ending_ = true;
  if (tray_) tray_->hide();
}

void OutsideLookups::EndRunIfNothingShown() {
  const bool trayKeepsIt =
      !ending_ && tray_ && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
  if (frame_.isVisible() || (popup_ && popup_->isVisible()) || trayKeepsIt) return;
  QCoreApplication::quit();
}

bool OutsideLookups::eventFilter(QObject* watched, QEvent* event) {
  // A pop-up closed before it had the focus reads nothing any more.
  if (event->type() == QEvent::Close && watched == popup_.get() && waitingInPopup_) disconnect(focusWait_);
  // Once the window has gone: a closing window is still visible here.
  if (event->type() == QEvent::Close) QTimer::singleShot(0, this, &OutsideLookups::EndRunIfNothingShown);
  return QObject::eventFilter(watched, event);
}

}  // namespace tavlex
