// The files made from a dictionary and kept in a cache folder (its full-text
// index, its table of index positions): their names, and how they are replaced.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace tavlex {

// The dictionary's file name, a hash of its whole path (two dictionaries of
// the same name in different folders stay apart), and extension.
std::filesystem::path CacheFilePath(const std::filesystem::path& folder, const std::u16string& dictionaryPath,
                                    const char* extension);

// Replaces the file atomically, creating the folder first; false when that
// cannot be done (the file is then as it was, and error tells why).
bool SaveCacheFile(const std::filesystem::path& file, std::string_view bytes,
                   std::error_code* error = nullptr);

}  // namespace tavlex
