// The main window's menu bar, built afresh from a menu resource. Every
// action carries its command id in data(); popups are named by their place,
// "menu0" for the first button's, "menu0.1" for the second item inside it,
// so that the dictionary menus and tests can find them.
#pragma once

#include <QMenuBar>
#include <vector>

#include "resources/menus.h"

namespace tavlex {

// A menu bar holding menu's buttons, with the resource's texts as they stand.
QMenuBar* CreateMenuBar(QWidget* parent, const std::vector<MenuItem>& menu);

// The popup of button i; null when there is none.
QMenu* ButtonPopup(const QMenuBar* bar, int i);

// Turns every item text of menu, submenus included, into Qt's form, with
// the keys of an accelerator for its command in the shortcut column.
void ShowQtMenuTexts(QMenu* menu, const std::vector<Accelerator>& accelerators);

}  // namespace tavlex
