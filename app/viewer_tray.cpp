#include "app/viewer_tray.h"

#include <QMenu>
#include <QSystemTrayIcon>

#include "resources/icon.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"

namespace tavlex {

ViewerTray::ViewerTray() = default;

ViewerTray::~ViewerTray() = default;

void ViewerTray::Show() {
  // Without a tray Qt warns at every start.
  if (!icon_ && !QSystemTrayIcon::isSystemTrayAvailable()) return;
  if (!icon_) Create();
  icon_->show();
}

void ViewerTray::Hide() {
  if (icon_) icon_->hide();
}

bool ViewerTray::shown() const {
  return icon_ && icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void ViewerTray::Create() {
  icon_ = new QSystemTrayIcon(ProgramIcon(), this);
  icon_->setObjectName(QStringLiteral("trayIcon"));
  icon_->setToolTip(LoadString(ids::kTrayToolTip));
  menu_ = std::make_unique<QMenu>();
  menu_->setObjectName(QStringLiteral("trayMenu"));
  connect(menu_->addAction(LoadString(ids::kTrayOpenWindow)), &QAction::triggered, this,
          &ViewerTray::openWindowRequested);
  connect(menu_->addAction(LoadString(ids::kTrayQuit)), &QAction::triggered, this,
          &ViewerTray::quitRequested);
  icon_->setContextMenu(menu_.get());
  connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
      emit openWindowRequested();
  });
}

}  // namespace tavlex
