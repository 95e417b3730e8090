// Where the word book lives: $XDG_DATA_HOME/tavlex/wordbook.sqlite, else
// ~/.local/share/tavlex/wordbook.sqlite.
#pragma once

#include <filesystem>
#include <functional>

namespace tavlex::wordbook {

// The value of an environment variable, or null when it is not set: std::getenv.
using Environment = std::function<const char*(const char*)>;

// The word book's file for the environment given; empty when neither
// XDG_DATA_HOME (absolute) nor HOME (absolute) tells a folder.
std::filesystem::path WordBookPath(const Environment& environment);

}  // namespace tavlex::wordbook
