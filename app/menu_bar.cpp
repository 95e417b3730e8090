#include "app/menu_bar.h"

#include <QKeySequence>

#include "app/menu_labels.h"

namespace tavlex {
namespace {

void AddItems(QMenu* menu, const std::vector<MenuItem>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    if (!item.items.empty()) {
      QMenu* popup = menu->addMenu(item.text);
      popup->setObjectName(menu->objectName() + u'.' + QString::number(i));
      AddItems(popup, item.items);
    } else if (item.text.isEmpty()) {
      menu->addSeparator();
    } else {
      menu->addAction(item.text)->setData(item.command);
    }
  }
}

QString ShortcutFor(int command, const std::vector<Accelerator>& accelerators) {
  for (const Accelerator& accelerator : accelerators) {
    if (accelerator.command == command)
      return QKeySequence(accelerator.keys).toString(QKeySequence::NativeText);
  }
  return {};
}

}  // namespace

QMenuBar* CreateMenuBar(QWidget* parent, const std::vector<MenuItem>& menu) {
  auto* bar = new QMenuBar(parent);
  bar->setObjectName(QStringLiteral("menuBar"));
  for (size_t i = 0; i < menu.size(); ++i) {
    QMenu* popup = bar->addMenu(menu[i].text);
    popup->setObjectName(QStringLiteral("menu%1").arg(i));
    AddItems(popup, menu[i].items);
  }
  return bar;
}

QMenu* ButtonPopup(const QMenuBar* bar, int i) {
  const QList<QAction*> buttons = bar->actions();
  return i >= 0 && i < buttons.size() ? buttons[i]->menu() : nullptr;
}

void ShowQtMenuTexts(QMenu* menu, const std::vector<Accelerator>& accelerators) {
  for (QAction* item : menu->actions()) {
    if (item->isSeparator()) continue;
    item->setText(QtMenuText(item->text(), ShortcutFor(item->data().toInt(), accelerators)));
    if (item->menu()) ShowQtMenuTexts(item->menu(), accelerators);
  }
}

}  // namespace tavlex
