// The program's desktop folders inside a test's own folder for the life of
// one object (config/, cache/ and data/ in it), then what they were before.
#pragma once

#include <filesystem>
#include <optional>

#include "base/desktop_folders.h"

namespace tavlex::testing {

class FakeDesktopFolders {
 public:
  explicit FakeDesktopFolders(const std::filesystem::path& root)
      : folders_{root / "config", root / "cache", root / "data"},
        before_(SetDesktopFoldersForTesting(folders_)) {}
  ~FakeDesktopFolders() { SetDesktopFoldersForTesting(before_); }
  FakeDesktopFolders(const FakeDesktopFolders&) = delete;
  FakeDesktopFolders& operator=(const FakeDesktopFolders&) = delete;

  const DesktopFolders& folders() const { return folders_; }

 private:
  DesktopFolders folders_;
  std::optional<DesktopFolders> before_;
};

}  // namespace tavlex::testing
