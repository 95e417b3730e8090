// An exclusive lock of a folder (flock on the folder itself), held for the
// life of the object: programs that read a file of that folder and write it
// back, or make it, take turns instead of meeting half-way. Where the folder
// cannot be opened or locked, the holder goes on without.
#pragma once

#include <filesystem>

namespace tavlex {

class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_;
};

}  // namespace tavlex
