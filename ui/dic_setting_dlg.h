// CDicSettingDlg: the modal dialog in which the user edits one registered
// dictionary's settings: its display name, cache size, result limit, search
// options, whether it is used, its four fonts, and a request to remove it.
// The caller fills fields() before exec() and reads them back after Accepted;
// the dialog reads and writes no settings itself.
#pragma once

#include <QString>
#include <cstdint>

#include "ui/scroll_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tavlex {

class CEnumFontCombo;

class CDicSettingDlg : public CScrollDialog {
  Q_OBJECT

 public:
  // The dialog's members. Check states are 0 (clear), 1 (set) or 2
  // (indeterminate); an empty face means no font was chosen.
  struct Fields {
    uint32_t cacheSize = 0;
    uint32_t searchMax = 0;
    int removeRequest = 0;
    int english = 0;
    int irregular = 0;
    int englishConjugation = 0;
    int accent = 0;
    int notUsed = 0;
    QString indexFont;
    int32_t indexSize = 0;
    QString transFont;
    int32_t transSize = 0;
    int showPhonetic = 0;
    QString phoneticFont;
    int32_t phoneticSize = 0;
    int showSample = 0;
    QString sampleFont;
    int32_t sampleSize = 0;
    QString dicName;
    QString path;
  };

  explicit CDicSettingDlg(QWidget* parent);

  Fields& fields() { return fields_; }

  // OK: the faces and sizes from their lists, then the checked transfer of
  // the other fields; the dialog closes only when every field passes.
  void accept() override;

 protected:
  // The fields go into the controls, then the font and size lists are filled.
  void OnInitDialog() override;
  void LoadFields() override;
  bool SaveFields() override;

 private:
  // One font list beside its size list.
  struct FontRow {
    CEnumFontCombo* face;
    QComboBox* size;
  };

  void BuildControls();
  // Fills a font list with "未設定" and the installed faces, selecting face's last occurrence.
  static void FillFontList(CEnumFontCombo* list, const QString& notSet, const QString& face);
  // A size list offers the sizes of the size lists; a size not offered selects nothing.
  static void SelectSize(QComboBox* list, int32_t size);
  static QString SelectedFace(const CEnumFontCombo* list);
  static int32_t SelectedSize(const QComboBox* list);
  void OnInflectionClicked();

  Fields fields_;
  QLineEdit* pathEdit_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QLineEdit* cacheSizeEdit_ = nullptr;
  QLineEdit* searchMaxEdit_ = nullptr;
  QCheckBox* english_ = nullptr;
  QCheckBox* englishConjugation_ = nullptr;
  QCheckBox* accent_ = nullptr;
  QCheckBox* irregular_ = nullptr;
  QCheckBox* notUsed_ = nullptr;
  QCheckBox* showPhonetic_ = nullptr;
  QCheckBox* showSample_ = nullptr;
  QCheckBox* removeRequest_ = nullptr;
  FontRow index_{};
  FontRow trans_{};
  FontRow phonetic_{};
  FontRow sample_{};
};

}  // namespace tavlex
