#include "wordbook/word_book_path.h"

namespace tavlex::wordbook {

std::filesystem::path WordBookPath(const DesktopFolders& folders) {
  if (folders.data.empty()) return {};
  return folders.data / "wordbook.sqlite";
}

}  // namespace tavlex::wordbook
