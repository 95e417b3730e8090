// HitCounter: counts, on a worker thread, every hit of a search whose
// dictionaries found more than their result limit, so that the window can
// say how many more there are without the typing waiting for it. Each new
// search replaces the counting under way, which stops soon after.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/index/text_index.h"
#include "engine/search/entry_matcher.h"

namespace tavlex {

class Dictionary;

class HitCounter {
 public:
  struct Job {
    std::shared_ptr<const Dictionary> dictionary;  // kept alive while it is counted
    SearchRequest request;
    bool accents = false;                    // the dictionary's accent setting, read on the caller's thread
    std::shared_ptr<const TextIndex> index;  // null: count by reading every block
    size_t slot = 0;                         // told back with the total
  };
  // Called on the worker thread for each job counted to its end.
  using Counted = std::function<void(uint64_t generation, size_t slot, uint64_t total)>;

  explicit HitCounter(Counted counted) : counted_(std::move(counted)) {}
  // Stops the counting and waits for the worker.
  ~HitCounter();
  HitCounter(const HitCounter&) = delete;
  HitCounter& operator=(const HitCounter&) = delete;

  // Counts jobs in order, after cancelling what is under way.
  void Start(uint64_t generation, std::vector<Job> jobs);
  void Cancel();

 private:
  void Work();

  Counted counted_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Job> jobs_;
  uint64_t generation_ = 0;
  std::shared_ptr<std::atomic<bool>> cancel_ = std::make_shared<std::atomic<bool>>(false);
  bool stopping_ = false;
  std::thread worker_;  // started by the first Start
};

}  // namespace tavlex
