#include "platform/font_families.h"

#include <QFontDatabase>

namespace tavlex::platform {
namespace {

std::optional<QStringList> fixedFamilies;

}  // namespace

QStringList InstalledFontFamilies() {
  if (fixedFamilies) return *fixedFamilies;
  QStringList families = QFontDatabase::families();
  families.removeDuplicates();
  return families;
}

void SetInstalledFontFamiliesForTesting(std::optional<QStringList> families) {
  fixedFamilies = std::move(families);
}

}  // namespace tavlex::platform
