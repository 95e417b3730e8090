// TextIndexes: the full-text indexes of the open dictionaries, loaded or
// built on worker threads while the searches go on.
//
// Prepare queues a dictionary: a worker loads its index file when that was
// built from the dictionary as it is now, and otherwise builds the index and
// writes the file atomically. Progress can be read at any time or is told to
// a listener; a search in a mode that needs the index takes Ready() (never
// blocking), or Wait()s with progress. A damaged or stale file is rebuilt,
// never used. A cancelled build writes nothing. A built index whose file
// cannot be written (a full disk) is ready all the same, from memory, and
// its status says why the file is not there; it is not built again in this
// run unless asked.
//
// Workers read a dictionary only through its thread-safe reading operations
// (a BlockReader, the in-memory index) and hold it alive while they do, so a
// dictionary can leave its set during a build. Every method may be called
// from any thread; the listener is called on a worker thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/index/index_build.h"
#include "engine/index/index_store.h"
#include "engine/index/text_index.h"

namespace tavlex {

class TextIndexes {
 public:
  enum class State {
    kNone,      // not asked for, or cancelled
    kQueued,    // waiting for a worker
    kLoading,   // checking the index file
    kBuilding,  // reading the dictionary; done() of total() blocks
    kReady,
    kFailed,  // the dictionary could not be read
  };
  struct Status {
    State state = State::kNone;
    uint32_t done = 0;
    uint32_t total = 0;
    std::error_code saveError{};  // when ready: why its file could not be written
  };
  // Queued, loading or building: the index is still to come.
  static bool UnderWay(State state);

  // folder: where index files live (empty: keep them in memory only).
  // workers: builds at a time (0: one per core).
  explicit TextIndexes(std::filesystem::path folder, unsigned workers = 0);
  // Cancels every build and waits for the workers to stop.
  ~TextIndexes();
  TextIndexes(const TextIndexes&) = delete;
  TextIndexes& operator=(const TextIndexes&) = delete;

  // Told the path of a dictionary whose status changed (progress too, at
  // most a hundred times a build). Set it before the first Prepare.
  void SetListener(std::function<void(const std::u16string& path)> listener) {
    listener_ = std::move(listener);
  }

  // Queues the dictionary unless its index is ready or under way. rebuild:
  // build anew even if the file is sound (tavlex-index build --force).
  void Prepare(const Dictionary& dictionary, bool rebuild = false);
  Status StatusOf(const Dictionary& dictionary) const;
  // The ready index, or null.
  std::shared_ptr<const TextIndex> Ready(const Dictionary& dictionary) const;
  // Prepares the dictionary and waits for its index, calling progress on this
  // thread now and then; null when it could not be had.
  std::shared_ptr<const TextIndex> Wait(const Dictionary& dictionary,
                                        const std::function<void(const Status&)>& progress = {});
  // Stops a build (the dictionary left the set, say) and forgets the index.
  void Cancel(const Dictionary& dictionary);
  // Forgets an index that turned out damaged; the next Prepare rebuilds it.
  void Discard(const Dictionary& dictionary);

  const std::filesystem::path& folder() const { return folder_; }

 private:
  struct Job {
    std::shared_ptr<const Dictionary> dictionary;
    bool rebuild = false;
    State state = State::kQueued;
    BuildControl control;
    std::shared_ptr<const TextIndex> index;
    std::error_code saveError;  // written by the worker before the job's state is kReady
  };

  void Work();
  void Run(const std::shared_ptr<Job>& job);
  std::shared_ptr<const TextIndex> LoadOrBuild(Job& job);
  void SetState(Job& job, State state);
  void Tell(const Job& job) const;

  std::filesystem::path folder_;
  unsigned workerCount_;
  std::function<void(const std::u16string&)> listener_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::map<std::u16string, std::shared_ptr<Job>> jobs_;  // by dictionary path
  std::deque<std::shared_ptr<Job>> queue_;
  std::vector<std::thread> workers_;
  bool stopping_ = false;
};

}  // namespace tavlex
