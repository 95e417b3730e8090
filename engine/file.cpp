#include "engine/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tavlex {

std::optional<File> File::Open(const std::filesystem::path& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return std::nullopt;
  struct stat info;
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(descriptor);
    return std::nullopt;
  }
  return File(descriptor);
}

File::File(File&& other) noexcept : descriptor_(other.descriptor_) { other.descriptor_ = -1; }

File::~File() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

uint64_t File::Size() const {
  struct stat info;
  if (::fstat(descriptor_, &info) != 0) return 0;
  return static_cast<uint64_t>(info.st_size);
}

size_t File::ReadAt(uint64_t offset, uint8_t* buffer, size_t size) const {
  size_t done = 0;
  while (done < size) {
    const ssize_t got = ::pread(descriptor_, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

}  // namespace tavlex
