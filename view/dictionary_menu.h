// The two dictionary menus, over a DictionarySet:
// the "辞書設定" submenu lists every dictionary (command 20000 + i), the "辞書"
// menu every dictionary that is not irregular (20200 + i, so an irregular one
// leaves a gap in the ids) and then "全ての辞書" (20200 + the number of
// dictionaries). A menu item carries its command id in its action's data.
#pragma once

#include <QString>

#include "engine/dictionary_set.h"

class QMenu;

namespace tavlex {

// Which menu FillDictionaryMenu fills.
inline constexpr int kSettingsMenu = 0;  // the submenu inside "ツール" of the given menu
inline constexpr int kChoiceMenu = 1;    // the given menu itself

// The dictionary's display name, or the file name at the end of its path.
QString DictionaryMenuName(const Dictionary& dictionary);

// A name from outside (a dictionary's, a searched word) as an item text: each
// "&" doubled, so that the name shows as it is and takes no mnemonic, and a
// TAB made a space, so that the frame's labelling finds only the one it puts
// before the mnemonic.
QString MenuItemText(QString name);

// Empties the menu that `which` names and lists the set's dictionaries in it;
// nothing happens for another `which` or a menu without the expected submenus.
void FillDictionaryMenu(const DictionarySet& set, int which, QMenu* menu);

}  // namespace tavlex
