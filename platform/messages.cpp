#include "platform/messages.h"

#include <QCoreApplication>

namespace tavlex::platform {

QEvent::Type MessageEvent::Type() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

QEvent::Type CommandEvent::Type() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

void PostMessage(QObject* target, int message, qintptr wParam, qintptr lParam) {
  QCoreApplication::postEvent(target, new MessageEvent(message, wParam, lParam));
}

void PostCommand(QObject* target, int command) {
  QCoreApplication::postEvent(target, new CommandEvent(command));
}

}  // namespace tavlex::platform
