#include "ui/enum_font_combo.h"

#include "platform/font_families.h"

namespace tavlex {

CEnumFontCombo::CEnumFontCombo(QWidget* parent) : QComboBox(parent) {}

void CEnumFontCombo::EnumerateFonts(int) { addItems(platform::InstalledFontFamilies()); }

}  // namespace tavlex
