#include "app/clipboard_follower.h"

#include <QClipboard>
#include <QGuiApplication>
#include <optional>

#include "platform/clipboard.h"
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
    return;
  }
  if (connection_) return;
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
  if (!content) return;
  if (const std::optional<std::u16string> text = watch_.Changed(ToChange(*content))) emit copied(*text);
}

}  // namespace tavlex
