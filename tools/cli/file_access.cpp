#include "cli/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tavlex::cli {

std::string UnreadableReason(const std::filesystem::path& path) {
  // Non-blocking, so that a FIFO named by mistake cannot hang the tool.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  struct stat info {};
  const int statResult = ::fstat(fd, &info);
  const int statError = errno;
  ::close(fd);
  if (statResult != 0) return std::strerror(statError);
  if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(info.st_mode)) return "not a regular file";
  return {};
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  const std::string reason = UnreadableReason(path);
  if (!reason.empty()) throw FileError(reason);
  std::ifstream file(path, std::ios::binary);
  if (!file) throw FileError(std::strerror(errno));
  std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw FileError("read error");
  return content;
}

}  // namespace tavlex::cli
