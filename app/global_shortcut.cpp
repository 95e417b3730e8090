#include "app/global_shortcut.h"

#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>
#include <QWidget>
#include <utility>

#include "app/shortcut_portal.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"

namespace tavlex {

GlobalShortcut::GlobalShortcut(const QDBusConnection& connection, QWidget& frame, bool boundBefore)
    : frame_(frame), portal_(std::make_unique<ShortcutPortal>(connection)) {
  connect(portal_.get(), &ShortcutPortal::availabilityKnown, this, [this, boundBefore](bool available) {
    if (!available) return;
    platform::PostMessage(&frame_, ids::kWmSettingsChanged);  // the menu item shows
    if (boundBefore) Bind();
  });
  connect(portal_.get(), &ShortcutPortal::bound, this, &GlobalShortcut::OnBound);
  connect(portal_.get(), &ShortcutPortal::activated, this, &GlobalShortcut::pressed);
  portal_->Probe();
}

GlobalShortcut::~GlobalShortcut() = default;

bool GlobalShortcut::available() const { return portal_->available(); }

void GlobalShortcut::BindAsked() {
  asked_ = true;
  Bind();
}

void GlobalShortcut::Bind() {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  const QString parent =
      x11 && frame_.isVisible() ? QStringLiteral("x11:%1").arg(frame_.winId(), 0, 16) : QString();
  portal_->Bind(LoadString(ids::kShortcutDescription), parent);
}

void GlobalShortcut::OnBound(bool ok) {
  const bool asked = std::exchange(asked_, false);
  if (ok) emit bound();
  if (!ok && asked) {
    platform::MessageBox::Show(&frame_, LoadString(ids::kShortcutNotBound), LoadString(ids::kErrorCaption),
                               platform::MessageBox::kOk);
  }
}

}  // namespace tavlex
