#include "platform/timer_service.h"

#include <QPointer>
#include <QTimer>
#include <map>
#include <utility>

#include "platform/messages.h"
#include "resources/resource_ids.h"

namespace tavlex::platform {
namespace {

// Timers are QTimers owned by their window, so they die with it.
class QtTimerService final : public TimerService {
 public:
  void SetTimer(QObject* window, int id, int milliseconds) override {
    QPointer<QTimer>& timer = timers_[{window, id}];
    if (!timer) {
      timer = new QTimer(window);
      QObject::connect(timer, &QTimer::timeout, window,
                       [window, id] { PostMessage(window, ids::kWmTimer, id); });
    }
    timer->start(milliseconds);
  }

  void KillTimer(QObject* window, int id) override {
    const auto it = timers_.find({window, id});
    if (it != timers_.end() && it->second) it->second->stop();
  }

 private:
  std::map<std::pair<QObject*, int>, QPointer<QTimer>> timers_;
};

TimerService* replacement = nullptr;

}  // namespace

TimerService& TimerService::Current() {
  static QtTimerService real;
  return replacement ? *replacement : real;
}

void TimerService::SetCurrentForTesting(TimerService* service) { replacement = service; }

}  // namespace tavlex::platform
