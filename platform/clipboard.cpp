#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/display_platform.h"

namespace tavlex::platform {
namespace {

Clipboard::StandIn standIn;
bool standInNeedsFocus = false;
Clipboard::WriteStandIn writeStandIn;

QClipboard::Mode QtMode(Clipboard::Mode mode) {
  return mode == Clipboard::Mode::kSelection ? QClipboard::Selection : QClipboard::Clipboard;
}

}  // namespace

std::optional<Clipboard::Content> Clipboard::Read(Mode mode) {
  if (standIn) return standIn(mode);
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QClipboard::Mode qtMode = QtMode(mode);
  if (qtMode == QClipboard::Selection && !clipboard->supportsSelection()) return std::nullopt;
  Content content;
  const QMimeData* data = clipboard->mimeData(qtMode);
  content.hasText = data && data->hasText();
  if (content.hasText) content.text = data->text();
  content.ownedByViewer =
      qtMode == QClipboard::Selection ? clipboard->ownsSelection() : clipboard->ownsClipboard();
  return content;
}

void Clipboard::Write(Mode mode, const QString& text) {
  if (writeStandIn) {
    writeStandIn(mode, text);
    return;
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (mode == Mode::kSelection && !clipboard->supportsSelection()) return;
  clipboard->setText(text, QtMode(mode));
}

bool Clipboard::ReadOnlyWithFocus() {
  if (standIn) return standInNeedsFocus;
  return IsWayland();
}

void Clipboard::SetStandInForTesting(StandIn replacement, bool readOnlyWithFocus) {
  standIn = std::move(replacement);
  standInNeedsFocus = readOnlyWithFocus;
}

void Clipboard::SetWriteStandInForTesting(WriteStandIn writer) { writeStandIn = std::move(writer); }

}  // namespace tavlex::platform
