// Replaces a file's whole content so that the file on disk holds either the
// old bytes or the new ones, never a truncated mix: the new content goes to a
// temporary file beside the target, is synced, and is renamed over it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

namespace tavlex {

// Same contract as POSIX write(2). Callers pass ::write; tests pass a function
// that fails part-way to prove the target survives.
using WriteFunction = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

// Returns false if any step failed (error, when given, then tells why: a
// full disk is ENOSPC); the temporary file is then removed and the target is
// left as it was. An existing target keeps its permission bits
// and, if it is a symbolic link, the file it points to is the one replaced.
// A target that exists but is not a regular file (a directory, a FIFO, a
// device) is never replaced. Temporary files of this target left by saves
// that were killed are removed first; those of running saves are not.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view content,
                         const WriteFunction& write, std::error_code* error = nullptr);

}  // namespace tavlex
