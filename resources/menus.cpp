#include "resources/menus.h"

#include "resources/resource_ids.h"

namespace tavlex {

const std::vector<MenuItem>& EditPopupMenu() {
  static const std::vector<MenuItem> items = {
      {QStringLiteral("コピー"), ids::kEditCopy},    {QStringLiteral("切り取り"), ids::kEditCut},
      {QStringLiteral("貼り付け"), ids::kEditPaste}, {QString(), 0},
      {QStringLiteral("元に戻す"), ids::kEditUndo},
  };
  return items;
}

}  // namespace tavlex
