// Menu resources: the items of each menu, with their texts and command ids,
// and the accelerator table of the main window.
#pragma once

#include <QKeyCombination>
#include <QString>
#include <vector>

namespace tavlex {

// An item of a menu: a command, a separator (empty text) or, when it has
// items of its own, a popup. Texts of the main menu end in a tab and their
// mnemonic, "(&C)"; the frame relabels them when it shows them.
struct MenuItem {
  QString text;
  int command = 0;
  std::vector<MenuItem> items = {};
};

struct Accelerator {
  QKeyCombination keys;
  int command;
};

// The buttons of menu 128.
inline constexpr int kMainMenuButton = 0;  // "メニュー", which holds the dictionary-settings submenu
inline constexpr int kSearchMenuButton = 1;
inline constexpr int kDictionaryMenuButton = 2;

// Menu 128: the main window's menu bar, one popup per button.
const std::vector<MenuItem>& MainMenu();
// Menu 129: the pop-up "編集" menu of the search box.
const std::vector<MenuItem>& EditPopupMenu();
// The context menu of the result display, its keys after a tab.
const std::vector<MenuItem>& ResultPopupMenu();
// Menu 131: the OK and Cancel bar of the settings dialogs.
const std::vector<MenuItem>& DialogMenu();
// Menu 132: the about box's single OK.
const std::vector<MenuItem>& VersionMenu();

// Accelerator table 128, of the main window, with Control+Q for the exit
// command and the keys of the search modes and the history.
const std::vector<Accelerator>& MainAccelerators();

}  // namespace tavlex
