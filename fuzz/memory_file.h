// A file that lives in memory, which the engine opens by path like any other.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavlex::fuzz {

class MemoryFile {
 public:
  MemoryFile(const uint8_t* data, size_t size) : descriptor_(memfd_create("dictionary", 0)) {
    for (size_t done = 0; done < size;) {
      const ssize_t n = write(descriptor_, data + done, size - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
  }
  ~MemoryFile() { close(descriptor_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  std::u16string path() const {
    const std::string p = "/proc/self/fd/" + std::to_string(descriptor_);
    return std::u16string(p.begin(), p.end());
  }

 private:
  int descriptor_;
};

}  // namespace tavlex::fuzz
