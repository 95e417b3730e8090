#include "app/clipboard_follower.h"

#include <QClipboard>
#include <QGuiApplication>
#include <optional>

#include "base/utf8.h"
#include "platform/clipboard.h"
#include "platform/display_platform.h"
#include "platform/qt_text.h"

namespace tavlex {
namespace {

using platform::Clipboard;

ClipboardChange ToChange(const Clipboard::Content& content) {
  return {content.hasText, ToU16String(content.text), content.ownedByViewer};
}

}  // namespace

void ClipboardFollower::Follow(bool on) {
  if (!on) {
    disconnect(connection_);
    monitor_.reset();
    return;
  }
  if (connection_ || monitor_) return;
  if (platform::IsWayland()) {
    monitor_ = platform::WaylandClipboardMonitor::Start(
        [this](const platform::WaylandClipboardMonitor::Selection& selection) {
          QMetaObject::invokeMethod(
              this, [this, selection] { OnSelection(selection); }, Qt::QueuedConnection);
        });
    // Its first selection is what the clipboard holds as the watch begins.
    if (monitor_) {
      watch_.Start(std::nullopt);
      return;
    }
  }
  // What the clipboard holds already was copied before the watch began;
  // where it is read only with the focus, a start without it cannot tell.
  std::optional<ClipboardChange> held;
  if (!Clipboard::ReadOnlyWithFocus() || QGuiApplication::focusWindow()) {
    const std::optional<Clipboard::Content> now = Clipboard::Read(Clipboard::Mode::kClipboard);
    held = now ? ToChange(*now) : ClipboardChange{};
  }
  watch_.Start(held);
  connection_ =
      connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [this](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard) OnChanged();
      });
}

void ClipboardFollower::OnChanged() {
  const std::optional<Clipboard::Content> content = Clipboard::Read(Clipboard::Mode::kClipboard);
  if (content) Hand(ToChange(*content));
}

void ClipboardFollower::OnSelection(const platform::WaylandClipboardMonitor::Selection& selection) {
  // A copy from the viewer's own search box reaches the watch too; by the
  // time its text has been read, Qt knows whether the clipboard is still its own.
  Hand({selection.hasText, Utf8ToUtf16(selection.text),
        selection.hasText && QGuiApplication::clipboard()->ownsClipboard()});
}

void ClipboardFollower::Hand(const ClipboardChange& change) {
  if (const std::optional<std::u16string> text = watch_.Changed(change)) emit copied(*text);
}

}  // namespace tavlex
