#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/display_platform.h"

namespace tavlex::platform {
namespace {

Clipboard::StandIn standIn;
bool standInNeedsFocus = false;

}  // namespace

std::optional<Clipboard::Content> Clipboard::Read(Mode mode) {
  if (standIn) return standIn(mode);
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QClipboard::Mode qtMode = mode == Mode::kSelection ? QClipboard::Selection : QClipboard::Clipboard;
  if (qtMode == QClipboard::Selection && !clipboard->supportsSelection()) return std::nullopt;
  Content content;
  const QMimeData* data = clipboard->mimeData(qtMode);
  content.hasText = data && data->hasText();
  if (content.hasText) content.text = data->text();
  content.ownedByViewer =
      qtMode == QClipboard::Selection ? clipboard->ownsSelection() : clipboard->ownsClipboard();
  return content;
}

bool Clipboard::ReadOnlyWithFocus() {
  if (standIn) return standInNeedsFocus;
  return IsWayland();
}

void Clipboard::SetStandInForTesting(StandIn replacement, bool readOnlyWithFocus) {
  standIn = std::move(replacement);
  standInNeedsFocus = readOnlyWithFocus;
}

}  // namespace tavlex::platform
