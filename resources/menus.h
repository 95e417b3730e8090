// Menu resources: the items of each menu, with their texts and command ids.
#pragma once

#include <QString>
#include <vector>

namespace tavlex {

struct MenuItem {
  QString text;  // empty for a separator
  int command = 0;
};

// Menu 129: the pop-up "編集" menu of the search box.
const std::vector<MenuItem>& EditPopupMenu();

}  // namespace tavlex
