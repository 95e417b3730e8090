// CSettingDlg: the options dialog (dialog 129, "設定"). Incremental search
// on or off, its delay, the delay of the automatic inflection search, and
// whether the numeric keypad operates the menus. The caller fills fields()
// before exec() and reads them back after Accepted, as with CDicSettingDlg.
#pragma once

#include <cstdint>

#include "ui/scroll_dialog.h"

class QCheckBox;
class QLineEdit;

namespace tavlex {

class CSettingDlg : public CScrollDialog {
  Q_OBJECT

 public:
  // The dialog's members; check states are 0 (clear), 1 (set) or 2 (indeterminate).
  struct Fields {
    int incrementalSearch = 0;  // 1001
    uint32_t delay = 0;         // ms, 1002, at most kMaxDelay
    uint32_t conjudelay = 0;    // ms, 1005, no upper bound
    int menuTenkey = 0;         // 1015
  };

  explicit CSettingDlg(QWidget* parent);

  Fields& fields() { return fields_; }

  // The largest incremental delay the dialog takes.
  static constexpr uint32_t kMaxDelay = 9999;

 protected:
  void LoadFields() override;
  bool SaveFields() override;

 private:
  Fields fields_;
  QCheckBox* incrementalSearchBox_;
  QLineEdit* delayEdit_;
  QLineEdit* conjudelayEdit_;
  QCheckBox* menuTenkeyBox_;
};

}  // namespace tavlex
