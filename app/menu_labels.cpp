#include "app/menu_labels.h"

#include <QAction>
#include <QMenu>

#include "platform/device.h"

namespace tavlex {
namespace {

QString CutAtTab(const QString& text) {
  const qsizetype tab = text.indexOf(u'\t');
  return tab < 0 ? text : text.left(tab);
}

}  // namespace

void LabelMenu(QMenu* menu, const MenuLabelRules& rules) {
  int n = 1;
  for (QAction* item : menu->actions()) {
    if (item->isSeparator() || !item->isEnabled()) continue;
    const QString text = item->text();
    if (rules.deviceClass == platform::kTouchScreenDevice) {
      if (rules.tenkey && rules.portrait) {
        item->setText(CutAtTab(text) + QStringLiteral("\t(&%1)").arg(n++));
      } else if (!text.contains(u'\t')) {
        item->setText(text + QStringLiteral("\t(&%1)").arg(QChar(n++ + 64)));
      }
    } else if (rules.deviceClass == platform::kKeypadDevice) {
      item->setText(CutAtTab(text));
    }
    if (item->menu()) LabelMenu(item->menu(), rules);
  }
}

QString QtMenuText(const QString& text, const QString& shortcut) {
  QString shown = text;
  shown.remove(u'\t');
  if (!shortcut.isEmpty()) shown += u'\t' + shortcut;
  return shown;
}

}  // namespace tavlex
