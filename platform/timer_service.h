// TimerService: window timers by id. A timer posts a WM_TIMER message (its id
// in wParam) to its window every period until it is killed; the viewer kills
// each timer when it fires, so its timers are one-shot. Tests put a fake in
// place of the real clock and fire timers themselves.
#pragma once

#include <QObject>

namespace tavlex::platform {

class TimerService {
 public:
  virtual ~TimerService() = default;

  // Arms, or re-arms from now, timer id of window.
  virtual void SetTimer(QObject* window, int id, int milliseconds) = 0;
  virtual void KillTimer(QObject* window, int id) = 0;

  // The service in use: the real one unless a test replaced it.
  static TimerService& Current();
  // Puts service in use (nullptr: the real one again). The caller keeps ownership.
  static void SetCurrentForTesting(TimerService* service);
};

}  // namespace tavlex::platform
