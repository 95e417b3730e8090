// A tmpfs of a few pages for one test, to see what a program does when the
// disk is full. Mounting needs root; where it is refused, the test skips.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace tavlex::testing {

class SmallDisk : public TempDir {
 public:
  explicit SmallDisk(std::size_t bytes)
      : mounted_(::mount("tmpfs", path().c_str(), "tmpfs", 0, ("size=" + std::to_string(bytes)).c_str()) ==
                 0) {}
  ~SmallDisk() {
    if (mounted_) ::umount2(path().c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

  // Takes every free page (a tmpfs gives out no less), into the file "filler".
  void Fill() const {
    const int fd = ::open((path() / "filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const std::string page(4096, 'f');
    while (fd >= 0 && ::write(fd, page.data(), page.size()) > 0) {
    }
    ::close(fd);
  }

 private:
  bool mounted_;
};

}  // namespace tavlex::testing
