// CSettingDlg: the options dialog (dialog 129, "設定"). Incremental search
// on or off, its delay, the delay of the automatic inflection search, and
// whether the numeric keypad operates the menus. The caller fills the four
// members, shows the dialog, and reads them back when it ends with OK.
#pragma once

#include <cstdint>

#include "ui/scroll_dialog.h"

class QCheckBox;
class QLineEdit;

namespace tavlex {

class CSettingDlg : public CScrollDialog {
  Q_OBJECT

 public:
  explicit CSettingDlg(QWidget* parent);

  int incrementalSearch = 0;  // check state of 1001
  uint32_t delay = 0;         // ms, 1002, at most 9999
  uint32_t conjudelay = 0;    // ms, 1005, no upper bound
  int menuTenkey = 0;         // check state of 1015

  // The largest incremental delay the dialog takes.
  static constexpr uint32_t kMaxDelay = 9999;

 protected:
  void LoadFields() override;
  bool SaveFields() override;

 private:
  QCheckBox* incrementalSearchBox_;
  QLineEdit* delayEdit_;
  QLineEdit* conjudelayEdit_;
  QCheckBox* menuTenkeyBox_;
};

}  // namespace tavlex
