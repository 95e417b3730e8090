#include "ui/japanese_font.h"

#include <QFontInfo>
#include <QStringList>

namespace tavlex {
namespace {

// In order of preference: IPA Gothic comes with the project's setup, the
// others are what desktops commonly carry.
const char* const kJapaneseFamilies[] = {
    "IPAGothic", "IPAPGothic", "IPAexGothic", "Noto Sans CJK JP", "Source Han Sans JP",
};

// The installed family that font would be drawn in if family were its only one.
QString ResolvedFamily(QFont font, const QString& family) {
  font.setFamilies({family});
  return QFontInfo(font).family();
}

}  // namespace

QFont JapaneseFallback(QFont font) {
  QStringList rest = font.families();
  if (rest.isEmpty() && !font.family().isEmpty()) rest << font.family();
  QStringList families;
  if (!rest.isEmpty()) {
    families << rest.takeFirst();
    const QString resolved = ResolvedFamily(font, families.first());
    if (resolved != families.first()) families << resolved;
  }
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
