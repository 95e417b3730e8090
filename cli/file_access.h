// Reading the files a tool is named, with the reason when that cannot be done.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tavlex::cli {

// Thrown with the reason only; the caller names the file.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Empty when path is a regular file that can be opened for reading, else why
// not ("No such file or directory", "Is a directory", ...).
std::string UnreadableReason(const std::filesystem::path& path);

// The file's bytes; throws FileError when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// "PATH: cannot open the dictionary: reason", for a file the engine refused:
// why it cannot be read, or that its content was refused.
std::string OpenRefusal(const std::u16string& path);

}  // namespace tavlex::cli
