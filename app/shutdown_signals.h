// ShutdownSignals: SIGTERM, SIGINT and SIGHUP (a logout or shutdown, Control+C
// in a terminal, a terminal closed) end the viewer the way its exit command
// does, with its settings saved. The signal handler only writes the signal's
// number down a socket pair; the socket's notifier then calls back on the
// user-interface thread, where closing windows and writing files are safe.
// The newest instance listens; when it goes, the handlers from before the
// first instance come back.
#pragma once

#include <signal.h>

#include <QObject>
#include <array>
#include <functional>

class QSocketNotifier;

namespace tavlex {

class ShutdownSignals : public QObject {
  Q_OBJECT

 public:
  // onSignal runs from the event loop once for each signal that arrived.
  explicit ShutdownSignals(std::function<void()> onSignal);
  ~ShutdownSignals() override;
  ShutdownSignals(const ShutdownSignals&) = delete;
  ShutdownSignals& operator=(const ShutdownSignals&) = delete;

  static constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

 private:
  void OnReadable();

  std::function<void()> onSignal_;
  std::array<int, 2> sockets_ = {-1, -1};  // [0] written by the handler, [1] read here
  QSocketNotifier* notifier_ = nullptr;    // child object
  std::array<struct sigaction, kSignals.size()> previous_ = {};
};

}  // namespace tavlex
