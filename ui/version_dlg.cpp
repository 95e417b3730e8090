#include "ui/version_dlg.h"

#include <QFontMetrics>
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
// The title bar holds the window manager's icon and buttons beside the
// caption: room for four squares of twice a line's height.
constexpr int kTitleBarButtons = 4;

// How wide the dialog must be for the window manager to show its whole
// caption, measured in bold, as title bars draw it.
int CaptionWidth(const QWidget* dialog) {
  QFont bold = dialog->font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  return metrics.horizontalAdvance(dialog->windowTitle()) + kTitleBarButtons * 2 * metrics.height();
}

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
  const QMargins margins = layout->contentsMargins();
  layout->setColumnMinimumWidth(
      1, CaptionWidth(this) - margins.left() - margins.right() - kIconSize - layout->horizontalSpacing());
  // The layout stays as it is when the screen changes size.
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tavlex
