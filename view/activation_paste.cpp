#include "view/activation_paste.h"

#include <utility>

#include "base/lines.h"

namespace tavlex {

std::optional<std::u16string> ActivationPaste::OnActivate(
    const std::optional<std::u16string>& clipboardText) {
  const bool keep = std::exchange(keepWord_, false);
  if (!clipboardText) {
    taken_.reset();  // a text copied after this is new, whatever it says
    return std::nullopt;
  }
  std::u16string line(FirstLine(*clipboardText));
  if (line.empty() || line == taken_) return std::nullopt;
  taken_ = line;
  if (keep) return std::nullopt;
  return line;
}

}  // namespace tavlex
