// Waiting in a Qt test for what comes by events (a worker's notice, a bus
// call's answer, a focus change): events are answered until the condition
// holds, or for a patience that only a fault exhausts.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

namespace tavlex::testing {

inline constexpr int kPatienceMs = 20'000;

// Answers events until done says so, or for kPatienceMs; whether done holds.
inline bool ProcessUntil(const std::function<bool()>& done) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < kPatienceMs) QApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

}  // namespace tavlex::testing
