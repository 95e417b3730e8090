#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace tavlex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTempSuffix = ".tmp-XXXXXX";
constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kPermissionBits = 07777;

// Renaming over a symlink would replace the link itself with a regular file;
// following it updates the file the user pointed us at instead.
fs::path ResolveTarget(const fs::path& target) {
  std::error_code error;
  fs::path resolved = fs::canonical(target, error);
  return error ? target : resolved;
}

// mkstemp creates files as 0600; give the new file the old one's bits.
mode_t ModeFor(const fs::path& target) {
  struct stat info {};
  return ::stat(target.c_str(), &info) == 0 ? (info.st_mode & kPermissionBits) : kNewFileMode;
}

bool WriteAll(int fd, std::string_view content, const WriteFunction& write) {
  while (!content.empty()) {
    const ssize_t written = write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    // Zero would loop forever; more than asked is a broken writer.
    if (written <= 0 || static_cast<std::size_t>(written) > content.size()) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Writes and syncs, then closes fd in every case.
bool FillAndClose(int fd, mode_t mode, std::string_view content, const WriteFunction& write) {
  // Permission bits are worth keeping but not worth losing the data over:
  // some filesystems refuse fchmod, so its failure is ignored.
  (void)::fchmod(fd, mode);
  const bool written = WriteAll(fd, content, write) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  return written && closed;
}

// Makes the rename itself durable. The new content is already in place, so
// there is nothing to undo if this fails.
void SyncDirectory(const fs::path& directory) {
  const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

bool ReplaceFileContents(const fs::path& target, std::string_view content, const WriteFunction& write) {
  const fs::path finalPath = ResolveTarget(target);
  std::string tempName = finalPath.string() + kTempSuffix;
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) return false;

  if (!FillAndClose(fd, ModeFor(finalPath), content, write) ||
      std::rename(tempName.c_str(), finalPath.c_str()) != 0) {
    ::unlink(tempName.c_str());
    return false;
  }
  SyncDirectory(finalPath.parent_path());
  return true;
}

}  // namespace tavlex
