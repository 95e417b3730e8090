#include "cli/file_access.h"

#include "base/file.h"
#include "base/utf8.h"

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

// The engine refuses without saying why; an unreadable file is told apart
// from one whose content it rejected.
std::string OpenRefusal(const std::u16string& path) {
  std::string reason = UnreadableReason(std::filesystem::path(path));
  if (reason.empty()) reason = "not a PDIC dictionary, or damaged";
  return Utf16ToUtf8(path) + ": cannot open the dictionary: " + reason;
}

}  // namespace tavlex::cli
