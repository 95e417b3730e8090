#include "tools/cli/file_access.h"

#include "base/file.h"

namespace tavlex::cli {

std::string UnreadableReason(const std::filesystem::path& path) {
  int error = 0;
  return File::Open(path, &error) ? std::string() : FileErrorText(error);
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  FileContent content = ReadRegularFile(path);
  if (content.error != 0) throw FileError(FileErrorText(content.error));
  return std::move(content.bytes);
}

}  // namespace tavlex::cli
