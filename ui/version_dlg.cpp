#include "ui/version_dlg.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>

#include "resources/icon.h"
#include "resources/menus.h"
#include "ui/dialog_menu_bar.h"

namespace tavlex {
namespace {

// The template's 20 dialog units, in pixels.
constexpr int kIconSize = 40;

}  // namespace

QString VersionLine() {
  return QStringLiteral("%1 version %2").arg(u"Tavlex", QStringLiteral(TAVLEX_VERSION));
}

CVersionDlg::CVersionDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("versionDlg"));
  setWindowTitle(QStringLiteral("バージョン情報 Tavlex"));
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("icon"));
  icon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));
  auto* line = new QLabel(VersionLine(), this);
  line->setObjectName(QStringLiteral("versionLine"));

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addWidget(line, 0, 1, Qt::AlignVCenter);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);
  layout->addWidget(CreateDialogMenuBar(this, VersionMenu()), 2, 0, 1, 2);
  // The layout stays as it is when the screen changes size.
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tavlex
