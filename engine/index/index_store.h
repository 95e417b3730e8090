// Where full-text index files are kept: one file per dictionary in a folder,
// the user's cache folder (base/desktop_folders.h) in the programs.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace tavlex {

// The index file of a dictionary: CacheFilePath with ".index".
std::filesystem::path IndexFilePath(const std::filesystem::path& folder,
                                    const std::u16string& dictionaryPath);

// SaveCacheFile.
bool SaveIndexFile(const std::filesystem::path& file, std::string_view bytes,
                   std::error_code* error = nullptr);

}  // namespace tavlex
