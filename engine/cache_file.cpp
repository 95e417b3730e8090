#include "engine/cache_file.h"

#include <unistd.h>
#include <xxhash.h>

#include <cstdio>

#include "base/atomic_file.h"

namespace tavlex {
namespace {

constexpr size_t kLongestName = 128;

}  // namespace

std::filesystem::path CacheFilePath(const std::filesystem::path& folder, const std::u16string& dictionaryPath,
                                    const char* extension) {
  const uint64_t hash = XXH3_64bits(dictionaryPath.data(), dictionaryPath.size() * sizeof(char16_t));
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  // Cut so that the name stays within the file system's limit; the hash keeps it unique.
  const std::string name = std::filesystem::path(dictionaryPath).filename().string().substr(0, kLongestName);
  return folder / (name + "-" + hex + extension);
}

bool SaveCacheFile(const std::filesystem::path& file, std::string_view bytes, std::error_code* error) {
  std::error_code folderError;
  std::filesystem::create_directories(file.parent_path(), folderError);
  if (folderError) {
    if (error) *error = folderError;
    return false;
  }
  return ReplaceFileContents(file, bytes, ::write, error);
}

}  // namespace tavlex
