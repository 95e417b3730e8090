// The name a dictionary goes by where the user sees it: the menus, the word
// book and what the command-line tools print.
#pragma once

#include <string>

#include "engine/dictionary.h"

namespace tavlex {

// The name given in the dictionary's settings, else its file name.
std::u16string DictionaryName(const Dictionary& dictionary);

}  // namespace tavlex
