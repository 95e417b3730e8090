#include "ui/setting_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "resources/menus.h"
#include "ui/field_transfer.h"

namespace tavlex {
namespace {

// Wide enough for five digits, as the template's 40 dialog units are.
constexpr int kNumberFieldChars = 8;

QLineEdit* NumberField(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(u'0') * kNumberFieldChars);
  return edit;
}

}  // namespace

// Built without a scroll bar: one shows only on a screen too short for the controls.
CSettingDlg::CSettingDlg(QWidget* parent) : CScrollDialog(parent, ScrollBar::kShownWhenNeeded) {
  setObjectName(QStringLiteral("settingDlg"));
  setWindowTitle(QStringLiteral("設定"));
  QWidget* controls = content();
  incrementalSearchBox_ = new QCheckBox(QStringLiteral("インクリメンタルサーチ有効"), controls);
  incrementalSearchBox_->setObjectName(QStringLiteral("incrementalSearch"));
  delayEdit_ = NumberField(controls, "delay");
  conjudelayEdit_ = NumberField(controls, "conjudelay");
  menuTenkeyBox_ = new QCheckBox(QStringLiteral("テンキーでメニューを操作する"), controls);
  menuTenkeyBox_->setObjectName(QStringLiteral("menuTenkey"));

  // The template's order, which is also the tab order.
  auto* layout = new QGridLayout(controls);
  layout->addWidget(incrementalSearchBox_, 0, 0, 1, 2);
  layout->addWidget(new QLabel(QStringLiteral("インクリメタルサーチディレイ:"), controls), 1, 0, 1, 2);
  layout->addWidget(delayEdit_, 2, 0);
  layout->addWidget(new QLabel(QStringLiteral("(ms)"), controls), 2, 1);
  layout->addWidget(new QLabel(QStringLiteral("活用形検索ディレイ:"), controls), 3, 0, 1, 2);
  layout->addWidget(conjudelayEdit_, 4, 0);
  layout->addWidget(new QLabel(QStringLiteral("(ms)　(0の時無効)"), controls), 4, 1);
  layout->addWidget(menuTenkeyBox_, 5, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(6, 1);
  ShowMenuBar(DialogMenu());
}

void CSettingDlg::LoadFields() {
  incrementalSearchBox_->setChecked(fields_.incrementalSearch != 0);
  FieldTransfer::Put(delayEdit_, fields_.delay);
  FieldTransfer::Put(conjudelayEdit_, fields_.conjudelay);
  menuTenkeyBox_->setChecked(fields_.menuTenkey != 0);
  incrementalSearchBox_->setFocus();
}

bool CSettingDlg::SaveFields() {
  FieldTransfer transfer(this);
  transfer.Check(incrementalSearchBox_, fields_.incrementalSearch);
  transfer.Unsigned(delayEdit_, fields_.delay, 0, kMaxDelay);
  transfer.Unsigned(conjudelayEdit_, fields_.conjudelay);
  transfer.Check(menuTenkeyBox_, fields_.menuTenkey);
  return transfer.ok();
}

}  // namespace tavlex
