// CVersionDlg: the about box (dialog 100, "バージョン情報 Tavlex"): the
// program's icon, its version line and a single OK.
#pragma once

#include <QDialog>

namespace tavlex {

class CVersionDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CVersionDlg(QWidget* parent);
};

// "Tavlex version" and the program's version.
QString VersionLine();

}  // namespace tavlex
