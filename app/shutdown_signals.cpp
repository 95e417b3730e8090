#include "app/shutdown_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace tavlex {
namespace {

// The socket the handler writes to; -1 while no instance listens.
volatile sig_atomic_t signalSocket = -1;

// Only async-signal-safe calls here: one write, errno kept for the
// interrupted code. A full socket drops the byte; one waiting is enough.
void OnSignal(int number) {
  const int saved = errno;
  const char byte = static_cast<char>(number);
  if (signalSocket >= 0) (void)!::write(signalSocket, &byte, 1);
  errno = saved;
}

}  // namespace

ShutdownSignals::ShutdownSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets_.data()) != 0) {
    sockets_ = {-1, -1};
    return;  // the signals keep their default action: the run ends unsaved, as before
  }
  signalSocket = sockets_[0];
  notifier_ = new QSocketNotifier(sockets_[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &ShutdownSignals::OnReadable);

  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignals.size(); ++i) {
    ::sigaction(kSignals[i], &action, &previous_[i]);
    // Taking over from an instance still alive: when this one goes, the default comes back.
    if (previous_[i].sa_handler == OnSignal) previous_[i].sa_handler = SIG_DFL;
  }
}

ShutdownSignals::~ShutdownSignals() {
  if (sockets_[0] < 0) return;
  // An instance that a newer one took over from leaves the handlers to it.
  if (signalSocket == sockets_[0]) {
    for (size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &previous_[i], nullptr);
    signalSocket = -1;
  }
  delete notifier_;
  ::close(sockets_[0]);
  ::close(sockets_[1]);
}

void ShutdownSignals::OnReadable() {
  char bytes[16];
  ssize_t read = 0;
  while ((read = ::read(sockets_[1], bytes, sizeof bytes)) > 0) {
    for (ssize_t i = 0; i < read; ++i) onSignal_();
  }
}

}  // namespace tavlex
