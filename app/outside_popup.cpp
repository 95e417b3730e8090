#include "app/outside_popup.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "app/main_frame.h"
#include "platform/display_platform.h"
#include "platform/qt_text.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "ui/editor.h"
#include "ui/lookup_popup.h"
#include "ui/popup_placement.h"
#include "ui/scroll_codes.h"
#include "view/dictionary_menu.h"
#include "view/keeping_message.h"
#include "view/lookup_view.h"
#include "view/scan_paragraphs.h"

namespace tavlex {
namespace {

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

OutsidePopup::OutsidePopup(CMainFrame& frame) : frame_(frame) {
  focusTimer_.setSingleShot(true);
  connect(&focusTimer_, &QTimer::timeout, this, &OutsidePopup::OnFocusWaitOver);
}

OutsidePopup::~OutsidePopup() = default;

bool OutsidePopup::shown() const { return popup_ && popup_->isVisible(); }

void OutsidePopup::AwaitFocus(const LookupRequest& request, bool inPopup,
                              const platform::WindowActivation& activation) {
  if (inPopup) {
    Show(QString(), activation);
  } else {
    ShowWindow(activation);
  }
  disconnect(focusWait_);  // an earlier request still waiting gives way
  waiting_ = request;
  waitingInPopup_ = inPopup;
  focusWait_ = connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
    if (window) ReadWaiting();
  });
  focusTimer_.start(kFocusWaitMs);
}

void OutsidePopup::ReadWaiting() {
  disconnect(focusWait_);
  focusTimer_.stop();
  emit focused(waiting_);
}

void OutsidePopup::OnFocusWaitOver() {
  if (!focusWait_) return;
  // Read now, without the focus, the selection would be empty and the pop-up
  // would go: it stays, and reads once the user gives it the focus.
  if (waitingInPopup_ && shown()) {
    popup_->SetHint(LoadString(ids::kPopupNeedsFocus));
    return;
  }
  ReadWaiting();
}

void OutsidePopup::ShowWindow(const platform::WindowActivation& activation) {
  // Raised while the pop-up still shows: a compositor lets a window come
  // forward only at the request of the window that has the focus.
  platform::BringToFront(&frame_, activation);
  if (popup_) popup_->close();
}

void OutsidePopup::OpenInWindow() {
  frame_.view()->LookUp(popup_->word());
  ShowWindow({});
}

void OutsidePopup::Show(const QString& text, const platform::WindowActivation& activation) {
  if (!popup_) {
    popup_ = std::make_unique<CLookupPopup>();
    popup_->installEventFilter(this);
    connect(popup_.get(), &CLookupPopup::openInWindowRequested, this, &OutsidePopup::OpenInWindow);
    connect(popup_.get(), &CLookupPopup::keepRequested, this, &OutsidePopup::KeepFirstHit);
  }
  popup_->ShowFor(text, PopupGeometry(), activation);
  groups_.clear();
  if (!text.isEmpty()) Fill();
}

void OutsidePopup::Fill() {
  CLookupView& view = *frame_.view();
  const std::u16string text = ToU16String(popup_->word());
  groups_ = view.ScanApart(text);
  CEditor& display = *popup_->display();
  display.Clear();
  if (groups_.empty()) {
    display.AppendText(LoadString(ids::kNothingFound), nullptr);
  } else {
    popup_->MarkCovered(static_cast<int>(groups_.front().begin), static_cast<int>(groups_.front().end));
    AppendScanGroups(display, fonts_, view.wordBook().Marks(), text, groups_);
  }
  display.Layout();
  display.viewport()->update();
}

void OutsidePopup::KeepFirstHit() {
  if (groups_.empty()) {
    popup_->SetHint(LoadString(ids::kNothingToKeep));
    return;
  }
  const ScanGroup& group = groups_.front();
  const ScanHit& hit = group.hits.front();
  const std::shared_ptr<const Dictionary> dictionary = hit.entry->dictionary.lock();
  if (!dictionary) return;  // removed since it was shown
  const std::u16string source = ToU16String(popup_->word());
  wordbook::KeptEntry kept = wordbook::EntryToKeep(*hit.entry, ToU16String(DictionaryMenuName(*dictionary)),
                                                   dictionary->path(), source, group.begin, group.end);
  kept.headword = hit.form;
  const wordbook::Change change = frame_.view()->wordBook().Keep(std::move(kept));
  const QString headword = ToQString(hit.form);
  popup_->SetHint(KeepingMessage(change, headword));
  const int top = popup_->display()->topLine();
  Fill();  // the mark beside the headword
  popup_->display()->Scroll(SB_THUMBTRACK, top);
}

bool OutsidePopup::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && watched == popup_.get()) {
    // A pop-up closed before it had the focus reads nothing any more.
    if (waitingInPopup_) disconnect(focusWait_);
    emit closed();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tavlex
