// Menu items that follow their commands' states: before a menu shows, each of
// its command items is enabled or greyed, and checked or not, as the
// command-state query answers for its id.
#pragma once

#include <QMenu>
#include <functional>

#include "platform/messages.h"

namespace tavlex {

using CommandStateQuery = std::function<platform::CommandState(int command)>;

// Applies state to item: enabled or greyed; a check mark only when it is checked.
void ApplyCommandState(QAction* item, const platform::CommandState& state);

// Removes the command items of menu and its submenus that query says are not shown.
void LeaveOutHiddenItems(QMenu* menu, const CommandStateQuery& query);

// Asks query for every command item of menu, and of each of its submenus, as that menu is about to show.
void FollowCommandStates(QMenu* menu, const CommandStateQuery& query);

}  // namespace tavlex
