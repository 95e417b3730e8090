#include "engine/index/index_store.h"

#include "engine/cache_file.h"

namespace tavlex {

std::filesystem::path IndexFilePath(const std::filesystem::path& folder,
                                    const std::u16string& dictionaryPath) {
  return CacheFilePath(folder, dictionaryPath, ".index");
}

bool SaveIndexFile(const std::filesystem::path& file, std::string_view bytes, std::error_code* error) {
  return SaveCacheFile(file, bytes, error);
}

}  // namespace tavlex
