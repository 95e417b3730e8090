// File: a read-only file handle by path, closed when the object goes away.
// The engine opens a dictionary file anew for every read and keeps no handle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace tavlex {

class File {
 public:
  // None when the path cannot be opened for reading.
  static std::optional<File> Open(const std::filesystem::path& path);

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

}  // namespace tavlex
