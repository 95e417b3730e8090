#include "app/command_states.h"

namespace tavlex {

void ApplyCommandState(QAction* item, const platform::CommandState& state) {
  item->setEnabled(state.enabled);
  const bool checked = state.checked.value_or(false);
  item->setCheckable(checked);
  item->setChecked(checked);
}

void LeaveOutHiddenItems(QMenu* menu, const CommandStateQuery& query) {
  for (QAction* item : menu->actions()) {
    if (item->menu()) {
      LeaveOutHiddenItems(item->menu(), query);
    } else if (const int command = item->data().toInt(); command != 0 && !query(command).shown) {
      menu->removeAction(item);
      delete item;
    }
  }
}

void FollowCommandStates(QMenu* menu, const CommandStateQuery& query) {
  QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, query] {
    for (QAction* item : menu->actions()) {
      if (const int command = item->data().toInt()) ApplyCommandState(item, query(command));
    }
  });
  for (QAction* item : menu->actions()) {
    if (item->menu()) FollowCommandStates(item->menu(), query);
  }
}

}  // namespace tavlex
