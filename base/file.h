// File: a read-only handle on a regular file by path, closed when the object
// goes away. The engine reads a dictionary's blocks through a handle held for
// one search or one index build; the settings file and the tools' input are
// read whole.
//
// Paths come from users and settings files, so opening never blocks: a FIFO
// or a terminal named by mistake is refused instead of waiting for a writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tavlex {

class File {
 public:
  // None when the path cannot be opened for reading or is not a regular
  // file. error, if given, receives the errno value, or kNotRegularFile.
  static std::optional<File> Open(const std::filesystem::path& path, int* error = nullptr);

  File(File&& other) noexcept;
  File& operator=(File&&) = delete;
  File(const File&) = delete;
  ~File();

  // The size now, or 0 when it cannot be told.
  uint64_t Size() const;
  // Reads up to size bytes at offset; returns how many were read (short at the end of the file).
  size_t ReadAt(uint64_t offset, uint8_t* buffer, size_t size) const;

 private:
  explicit File(int descriptor) : descriptor_(descriptor) {}
  int descriptor_;
};

// Open's error for something that exists but is neither a regular file nor a
// directory (a FIFO, a device, a socket). Not an errno value.
inline constexpr int kNotRegularFile = -1;

// Why a file could not be opened, in words ("Permission denied", "Is a directory").
std::string FileErrorText(int error);

// A whole regular file read to its end.
struct FileContent {
  std::string bytes;
  int error = 0;  // 0 on success, else as File::Open's error (or the read's errno)
};
FileContent ReadRegularFile(const std::filesystem::path& path);

}  // namespace tavlex
