#include "base/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tavlex {

std::optional<File> File::Open(const std::filesystem::path& path, int* error) {
  const auto fail = [error](int code) {
    if (error) *error = code;
    return std::nullopt;
  };
  // O_NONBLOCK: opening a FIFO would otherwise wait for a writer, and a
  // terminal for carrier. O_NOCTTY: never become the terminal's controller.
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return fail(errno);
  struct stat info {};
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int code = S_ISDIR(info.st_mode) ? EISDIR : kNotRegularFile;
    ::close(descriptor);
    return fail(code);
  }
  // Regular files ignore O_NONBLOCK, but reads should not depend on that.
  (void)::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  if (error) *error = 0;
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
    if (got < 0 && errno == EINTR) {
      errno = 0;  // callers tell an error from the end of the file by errno
      continue;
    }
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

std::string FileErrorText(int error) {
  return error == kNotRegularFile ? "not a regular file" : std::strerror(error);
}

FileContent ReadRegularFile(const std::filesystem::path& path) {
  FileContent content;
  const std::optional<File> file = File::Open(path, &content.error);
  if (!file) return content;
  // Read to the end rather than to the size: the file may grow or shrink meanwhile.
  constexpr size_t kChunk = 64 * 1024;
  for (;;) {
    const size_t used = content.bytes.size();
    content.bytes.resize(used + kChunk);
    errno = 0;
    const size_t got = file->ReadAt(used, reinterpret_cast<uint8_t*>(content.bytes.data() + used), kChunk);
    content.bytes.resize(used + got);
    if (got < kChunk) {
      content.error = errno;
      break;
    }
  }
  if (content.error != 0) content.bytes.clear();
  return content;
}

}  // namespace tavlex
