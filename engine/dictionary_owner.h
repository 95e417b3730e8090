// DictionaryOwner: what a dictionary asks of the set that owns it during its
// inflection search. The set implements it; the engine knows nothing more of it.
#pragma once

#include <string>

namespace tavlex {

class DictionaryOwner {
 public:
  // The base form that the owner's irregular-forms dictionaries give for word, or empty.
  virtual std::u16string IrregularBaseForm(const std::u16string& word) = 0;
  // Whether some irregular-forms dictionary of the owner has a headword beginning with text.
  virtual bool IrregularHasPrefix(const std::u16string& text) = 0;

 protected:
  virtual ~DictionaryOwner() = default;
};

}  // namespace tavlex
