#include "base/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tavlex {
namespace {

namespace fs = std::filesystem;

// A temporary file is named "<target>.tmp-<pid>-XXXXXX": the process id
// tells a leftover of a killed save from a save still running elsewhere.
constexpr std::string_view kTempMark = ".tmp-";
constexpr const char* kTempRandom = "XXXXXX";
constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kPermissionBits = 07777;

// Renaming over a symlink would replace the link itself with a regular file;
// following it updates the file the user pointed us at instead.
fs::path ResolveTarget(const fs::path& target) {
  std::error_code error;
  fs::path resolved = fs::canonical(target, error);
  return error ? target : resolved;
}

std::string TempPrefix(const fs::path& target) { return target.filename().string() + std::string(kTempMark); }

// The pid in a temporary file's name, if the name has our exact pattern.
std::optional<pid_t> TempOwner(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return std::nullopt;
  name.remove_prefix(prefix.size());
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || name.size() - dash - 1 != std::strlen(kTempRandom)) {
    return std::nullopt;
  }
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
  if (error != std::errc() || end != name.data() + dash || pid <= 0) return std::nullopt;
  return pid;
}

// Removes the temporary files that saves of this target left behind when
// they were killed: our pattern, a regular file of ours, and no process with
// that id alive. Anything else in the directory is left alone.
void RemoveStaleTempFiles(const fs::path& target) {
  const std::string prefix = TempPrefix(target);
  const fs::path directory = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const std::optional<pid_t> owner = TempOwner(name, prefix);
    if (!owner) continue;
    struct stat info {};
    if (::lstat(it->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
      continue;
    }
    if (::kill(*owner, 0) == 0 || errno != ESRCH) continue;  // still running, or not ours to judge
    ::unlink(it->path().c_str());
  }
}

// Only a regular file, or nothing yet, may be replaced: renaming over a FIFO,
// a device or a directory would destroy something that is not ours.
// Sets errno when it says no.
bool Replaceable(const fs::path& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return errno == ENOENT;
  if (S_ISREG(info.st_mode)) return true;
  errno = S_ISDIR(info.st_mode) ? EISDIR : EEXIST;
  return false;
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
    if (written < 0) return false;
    // Zero would loop forever; more than asked is a broken writer.
    if (written == 0 || static_cast<std::size_t>(written) > content.size()) {
      errno = EIO;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Writes and syncs, then closes fd in every case; errno tells the first failure.
bool FillAndClose(int fd, mode_t mode, std::string_view content, const WriteFunction& write) {
  // Permission bits are worth keeping but not worth losing the data over:
  // some filesystems refuse fchmod, so its failure is ignored.
  (void)::fchmod(fd, mode);
  const bool written = WriteAll(fd, content, write) && ::fsync(fd) == 0;
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  if (!written) errno = writeError;
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

bool ReplaceFileContents(const fs::path& target, std::string_view content, const WriteFunction& write,
                         std::error_code* error) {
  const auto fail = [error](int code) {
    if (error) *error = std::error_code(code, std::generic_category());
    return false;
  };
  const fs::path finalPath = ResolveTarget(target);
  if (!Replaceable(finalPath)) return fail(errno);
  RemoveStaleTempFiles(finalPath);
  std::string tempName = (finalPath.parent_path() / TempPrefix(finalPath)).string() +
                         std::to_string(::getpid()) + "-" + kTempRandom;
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) return fail(errno);

  if (!FillAndClose(fd, ModeFor(finalPath), content, write) ||
      std::rename(tempName.c_str(), finalPath.c_str()) != 0) {
    const int code = errno;
    ::unlink(tempName.c_str());
    return fail(code);
  }
  SyncDirectory(finalPath.parent_path());
  if (error) error->clear();
  return true;
}

}  // namespace tavlex
