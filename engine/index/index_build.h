// Building the full-text index of a dictionary: every block is read and
// decoded once, and the grams of its text are noted against it.
//
// A build uses only what a Dictionary offers for reading from any thread
// (a BlockReader of its own and the in-memory index); it never
// touches the block cache. So it can run on a worker thread while the
// dictionary is searched on another, with a BuildControl between the two.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/index/index_format.h"

namespace tavlex {

// Progress and cancellation of one build, shared by the building thread and
// any thread that watches it.
class BuildControl {
 public:
  void Cancel() { cancelled_ = true; }
  bool cancelled() const { return cancelled_; }
  uint32_t done() const { return done_; }
  uint32_t total() const { return total_; }

  // Called on the building thread after each hundredth of the blocks.
  std::function<void()> onProgress;

 private:
  friend std::optional<std::string> BuildIndexFile(const Dictionary&, const IndexStamp&, BuildControl*);
  std::atomic<bool> cancelled_ = false;
  std::atomic<uint32_t> done_ = 0;
  std::atomic<uint32_t> total_ = 0;
};

// The index file's bytes for the dictionary. None when cancelled or when a
// block could not be read (the file went away).
std::optional<std::string> BuildIndexFile(const Dictionary& dictionary, const IndexStamp& stamp,
                                          BuildControl* control);

}  // namespace tavlex
