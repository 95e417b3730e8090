#include "view/hit_counter.h"

#include <sys/resource.h>
#include <unistd.h>

#include "engine/dictionary.h"
#include "engine/search/mode_search.h"

namespace tavlex {
namespace {

// Counting gives way to the thread that runs the window, as index builds do.
constexpr int kBackgroundNice = 10;

}  // namespace

HitCounter::~HitCounter() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    cancel_->store(true);
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void HitCounter::Start(uint64_t generation, std::vector<Job> jobs) {
  {
    const std::lock_guard lock(mutex_);
    cancel_->store(true);
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    generation_ = generation;
    jobs_ = std::move(jobs);
    if (!worker_.joinable() && !jobs_.empty()) worker_ = std::thread(&HitCounter::Work, this);
  }
  changed_.notify_all();
}

void HitCounter::Cancel() {
  const std::lock_guard lock(mutex_);
  cancel_->store(true);
  jobs_.clear();
}

void HitCounter::Work() {
  (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kBackgroundNice);
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (stopping_) return;
    const Job job = std::move(jobs_.front());
    jobs_.erase(jobs_.begin());
    const uint64_t generation = generation_;
    const std::shared_ptr<std::atomic<bool>> cancel = cancel_;
    lock.unlock();
    const std::optional<uint64_t> total =
        CountHits(*job.dictionary, job.request, job.accents, job.index.get(), cancel.get());
    if (total && !cancel->load()) counted_(generation, job.slot, *total);
    lock.lock();
  }
}

}  // namespace tavlex
