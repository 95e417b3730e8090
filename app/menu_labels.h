// Keypad labels of the menu items. Every item text of the main menu ends in
// a tab and its mnemonic, "コピー\t(&C)"; LabelMenu renumbers them for the
// numeric keypad, letters the items that have no mnemonic yet, or cuts the
// mnemonics off, by device class. QtMenuText then turns a labelled text
// into what a QMenu shows.
#pragma once

#include <QString>

class QMenu;

namespace tavlex {

struct MenuLabelRules {
  int deviceClass;
  bool tenkey;    // the view's MenuTenkey is 1
  bool portrait;  // the screen is taller than it is wide
};

// Labels every item of menu and, each with its own count, of its submenus.
// Separators take no number or letter, nor do items greyed as they are made
// (a placeholder such as （なし）).
void LabelMenu(QMenu* menu, const MenuLabelRules& rules);

// A QMenu takes no mnemonic after a tab (that column shows the shortcut):
// the mnemonic joins the text, and shortcut, if any, goes after the tab.
QString QtMenuText(const QString& text, const QString& shortcut);

}  // namespace tavlex
