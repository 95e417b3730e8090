// Driving a modal dialog from a test: the steps run inside the dialog's own
// event loop, once it shows.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tavlex::testing {

// Schedules steps for the next modal widget that shows; they get it by pointer.
inline void WhenModalShows(std::function<void(QWidget*)> steps) {
  auto* poll = new QTimer;
  poll->setInterval(0);
  QObject::connect(poll, &QTimer::timeout, [poll, steps = std::move(steps)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    poll->stop();
    poll->deleteLater();
    steps(modal);
  });
  poll->start();
}

}  // namespace tavlex::testing
