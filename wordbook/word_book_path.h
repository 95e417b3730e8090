// Where the word book lives: $XDG_DATA_HOME/tavlex/wordbook.sqlite, else
// ~/.local/share/tavlex/wordbook.sqlite.
#pragma once

#include <filesystem>

#include "base/desktop_folders.h"

namespace tavlex::wordbook {

// The word book's file in the data folder; empty when the folders tell none.
std::filesystem::path WordBookPath(const DesktopFolders& folders);

}  // namespace tavlex::wordbook
