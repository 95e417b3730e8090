#include "wordbook/word_book_path.h"

namespace tavlex::wordbook {
namespace {

constexpr char kFolderName[] = "tavlex";
constexpr char kFileName[] = "wordbook.sqlite";

// A relative path is to be ignored, as the XDG base directory rules say.
bool Absolute(const char* value) { return value != nullptr && value[0] == '/'; }

}  // namespace

std::filesystem::path WordBookPath(const Environment& environment) {
  if (const char* data = environment("XDG_DATA_HOME"); Absolute(data)) {
    return std::filesystem::path(data) / kFolderName / kFileName;
  }
  if (const char* home = environment("HOME"); Absolute(home)) {
    return std::filesystem::path(home) / ".local" / "share" / kFolderName / kFileName;
  }
  return {};
}

}  // namespace tavlex::wordbook
