#include "ui/dialog_menu_bar.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "resources/resource_ids.h"

namespace tavlex {

QWidget* CreateDialogMenuBar(QDialog* dialog, const std::vector<MenuItem>& menu) {
  auto* bar = new QWidget(dialog);
  bar->setObjectName(QStringLiteral("dialogMenuBar"));
  auto* layout = new QHBoxLayout(bar);
  layout->addStretch();
  for (const MenuItem& item : menu) {
    auto* button = new QPushButton(item.text, bar);
    button->setObjectName(QStringLiteral("button%1").arg(item.command));
    button->setAutoDefault(false);
    if (item.command == ids::kIdOk) {
      button->setDefault(true);
      QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    } else if (item.command == ids::kIdCancel) {
      QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::reject);
    }
    layout->addWidget(button);
  }
  return bar;
}

}  // namespace tavlex
