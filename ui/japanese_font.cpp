#include "ui/japanese_font.h"

#include <QStringList>

namespace tavlex {
namespace {

// In order of preference: IPA Gothic comes with the project's setup, the
// others are what desktops commonly carry.
const char* const kJapaneseFamilies[] = {
    "IPAGothic", "IPAPGothic", "IPAexGothic", "Noto Sans CJK JP", "Source Han Sans JP",
};

}  // namespace

QFont JapaneseFallback(QFont font) {
  QStringList rest = font.families();
  QStringList families;
  if (!rest.isEmpty()) families << rest.takeFirst();
  for (const char* japanese : kJapaneseFamilies) {
    if (!families.contains(QLatin1String(japanese))) families << QString::fromLatin1(japanese);
  }
  for (const QString& family : rest) {
    if (!families.contains(family)) families << family;
  }
  font.setFamilies(families);
  return font;
}

}  // namespace tavlex
