#include "engine/dictionary_name.h"

namespace tavlex {

std::u16string DictionaryName(const Dictionary& dictionary) {
  if (!dictionary.settings().dicName.empty()) return dictionary.settings().dicName;
  const std::u16string& path = dictionary.path();
  const size_t slash = path.rfind(u'/');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace tavlex
