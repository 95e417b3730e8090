#include "engine/index/text_indexes.h"

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "engine/dictionary.h"

namespace tavlex {
namespace {

// Builds give way to the thread that runs the window.
constexpr int kBackgroundNice = 10;
constexpr std::chrono::milliseconds kProgressInterval{100};

}  // namespace

bool TextIndexes::UnderWay(State state) {
  return state == State::kQueued || state == State::kLoading || state == State::kBuilding;
}

TextIndexes::TextIndexes(std::filesystem::path folder, unsigned workers)
    : folder_(std::move(folder)),
      workerCount_(workers ? workers : std::max(1u, std::thread::hardware_concurrency())) {}

TextIndexes::~TextIndexes() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    for (auto& [path, job] : jobs_) job->control.Cancel();
    queue_.clear();
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void TextIndexes::Prepare(const Dictionary& dictionary, bool rebuild) {
  const std::lock_guard lock(mutex_);
  std::shared_ptr<Job>& job = jobs_[dictionary.path()];
  if (job && job->dictionary.get() == &dictionary && !rebuild && job->state != State::kNone) return;
  if (job) job->control.Cancel();
  job = std::make_shared<Job>();
  job->dictionary = dictionary.shared_from_this();
  job->rebuild = rebuild;
  queue_.push_back(job);
  if (workers_.size() < workerCount_) workers_.emplace_back(&TextIndexes::Work, this);
  changed_.notify_all();
}

TextIndexes::Status TextIndexes::StatusOf(const Dictionary& dictionary) const {
  const std::lock_guard lock(mutex_);
  const auto it = jobs_.find(dictionary.path());
  if (it == jobs_.end() || it->second->dictionary.get() != &dictionary) return {};
  const Job& job = *it->second;
  return {job.state, job.control.done(), job.control.total(), job.saveError};
}

std::shared_ptr<const TextIndex> TextIndexes::Ready(const Dictionary& dictionary) const {
  const std::lock_guard lock(mutex_);
  const auto it = jobs_.find(dictionary.path());
  if (it == jobs_.end() || it->second->dictionary.get() != &dictionary) return nullptr;
  return it->second->index;
}

std::shared_ptr<const TextIndex> TextIndexes::Wait(const Dictionary& dictionary,
                                                   const std::function<void(const Status&)>& progress) {
  Prepare(dictionary);
  std::shared_ptr<Job> job;
  {
    const std::lock_guard lock(mutex_);
    job = jobs_[dictionary.path()];
  }
  for (;;) {
    Status status;
    {
      std::unique_lock lock(mutex_);
      changed_.wait_for(lock, kProgressInterval, [&] { return !UnderWay(job->state); });
      if (!UnderWay(job->state)) return job->index;
      status = {job->state, job->control.done(), job->control.total()};
    }
    if (progress) progress(status);
  }
}

void TextIndexes::Cancel(const Dictionary& dictionary) {
  const std::lock_guard lock(mutex_);
  const auto it = jobs_.find(dictionary.path());
  if (it == jobs_.end() || it->second->dictionary.get() != &dictionary) return;
  it->second->control.Cancel();
  std::erase(queue_, it->second);
  jobs_.erase(it);
}

void TextIndexes::Discard(const Dictionary& dictionary) {
  const std::lock_guard lock(mutex_);
  const auto it = jobs_.find(dictionary.path());
  if (it != jobs_.end() && !UnderWay(it->second->state)) jobs_.erase(it);
}

void TextIndexes::Work() {
  (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kBackgroundNice);
  for (;;) {
    std::shared_ptr<Job> job;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      job = queue_.front();
      queue_.pop_front();
    }
    Run(job);
  }
}

void TextIndexes::Run(const std::shared_ptr<Job>& job) {
  SetState(*job, State::kLoading);
  std::shared_ptr<const TextIndex> index = LoadOrBuild(*job);
  // A build frees hundreds of megabytes of small pieces, which the allocator
  // would keep in this thread's heap for the rest of the run.
  if (job->control.total() > 0) ::malloc_trim(0);
  {
    const std::lock_guard lock(mutex_);
    job->index = std::move(index);
    job->state = job->control.cancelled() ? State::kNone : job->index ? State::kReady : State::kFailed;
  }
  changed_.notify_all();
  Tell(*job);
}

std::shared_ptr<const TextIndex> TextIndexes::LoadOrBuild(Job& job) {
  const std::optional<IndexStamp> stamp = StampOf(*job.dictionary);
  if (!stamp) return nullptr;
  const std::filesystem::path file =
      folder_.empty() ? folder_ : IndexFilePath(folder_, job.dictionary->path());
  if (!job.rebuild && !file.empty()) {
    if (auto index = TextIndex::Open(file, *stamp)) return index;
  }
  SetState(job, State::kBuilding);
  job.control.onProgress = [this, &job] { Tell(job); };
  std::optional<std::string> bytes = BuildIndexFile(*job.dictionary, *stamp, &job.control);
  if (!bytes) return nullptr;
  if (!file.empty()) {
    std::error_code saveError;
    if (SaveIndexFile(file, *bytes, &saveError)) {
      if (auto index = TextIndex::Open(file, *stamp)) return index;
    }
    const std::lock_guard lock(mutex_);
    job.saveError = saveError;
  }
  // No cache folder, or none that takes the file: the index lives in memory for this run.
  return TextIndex::FromBytes(std::move(*bytes), *stamp);
}

void TextIndexes::SetState(Job& job, State state) {
  {
    const std::lock_guard lock(mutex_);
    job.state = state;
  }
  changed_.notify_all();
  Tell(job);
}

void TextIndexes::Tell(const Job& job) const {
  if (listener_) listener_(job.dictionary->path());
}

}  // namespace tavlex
