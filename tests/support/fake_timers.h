// A TimerService for tests: it records which timers are armed and for how
// long, and fires them when the test says so. Nothing waits for real time.
#pragma once

#include <QObject>
#include <map>
#include <utility>

#include "platform/messages.h"
#include "platform/timer_service.h"
#include "resources/resource_ids.h"

namespace tavlex::testing {

class FakeTimers final : public platform::TimerService {
 public:
  FakeTimers() { SetCurrentForTesting(this); }
  ~FakeTimers() override { SetCurrentForTesting(nullptr); }

  void SetTimer(QObject* window, int id, int milliseconds) override {
    armed_[{window, id}] = milliseconds;
    ++arms_;
  }
  void KillTimer(QObject* window, int id) override { armed_.erase({window, id}); }

  bool IsArmed(QObject* window, int id) const { return armed_.count({window, id}) != 0; }
  int Delay(QObject* window, int id) const { return armed_.at({window, id}); }
  int arms() const { return arms_; }

  // Like a period passing: an armed timer posts its WM_TIMER message and stays armed.
  bool Fire(QObject* window, int id) {
    if (!IsArmed(window, id)) return false;
    platform::PostMessage(window, ids::kWmTimer, id);
    return true;
  }

 private:
  std::map<std::pair<QObject*, int>, int> armed_;
  int arms_ = 0;
};

}  // namespace tavlex::testing
