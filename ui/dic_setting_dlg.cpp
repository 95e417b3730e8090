#include "ui/dic_setting_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt_text.h"
#include "resources/menus.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "settings/ini_file.h"
#include "ui/enum_font_combo.h"
#include "ui/field_transfer.h"

namespace tavlex {
namespace {

constexpr uint32_t kLeastField = 1;
constexpr uint32_t kMostField = 1000;
constexpr int kIndent = 20;  // check boxes and font rows under their heading

const QStringList& FontSizes() {
  static const QStringList sizes = {"6", "8", "9", "10", "12", "14", "16", "20", "24", "32", "64"};
  return sizes;
}

QLineEdit* AddEdit(QVBoxLayout* layout, const QString& label, const char* name) {
  layout->addWidget(new QLabel(label));
  auto* edit = new QLineEdit;
  edit->setObjectName(QLatin1String(name));
  layout->addWidget(edit);
  return edit;
}

QCheckBox* AddCheck(QVBoxLayout* layout, const QString& text, const char* name, int indent = 0) {
  auto* box = new QCheckBox(text);
  box->setObjectName(QLatin1String(name));
  if (indent == 0) {
    layout->addWidget(box);
  } else {
    auto* row = new QHBoxLayout;
    row->addSpacing(indent);
    row->addWidget(box);
    layout->addLayout(row);
  }
  return box;
}

}  // namespace

CDicSettingDlg::CDicSettingDlg(QWidget* parent) : CScrollDialog(parent) {
  setObjectName(QStringLiteral("dicSettingDlg"));
  setWindowTitle(QStringLiteral("辞書設定"));
  BuildControls();
  ShowMenuBar(DialogMenu());
}

void CDicSettingDlg::BuildControls() {
  auto* layout = new QVBoxLayout(content());
  pathEdit_ = AddEdit(layout, QStringLiteral("辞書ファイル:"), "dicPath");
  pathEdit_->setReadOnly(true);
  nameEdit_ = AddEdit(layout, QStringLiteral("辞書名:"), "dicName");
  cacheSizeEdit_ = AddEdit(layout, QStringLiteral("キャッシュサイズ(ブロック数):"), "cacheSize");
  searchMaxEdit_ = AddEdit(layout, QStringLiteral("検索件数:"), "searchMax");
  english_ = AddCheck(layout, QStringLiteral("アルファベットの活用形検索を行う"), "english");
  englishConjugation_ =
      AddCheck(layout, QStringLiteral("英語の語尾(s/ed/ing)を無視"), "englishConjugation", kIndent);
  accent_ = AddCheck(layout, QStringLiteral("アクセント付き文字を同一視する"), "accent", kIndent);
  irregular_ = AddCheck(layout, QStringLiteral("不規則変化形辞書(IRREG)"), "irregular");
  notUsed_ = AddCheck(layout, QStringLiteral("この辞書を使用しない"), "notUsed");

  // Each font list beside its size list, indented under its label or check box.
  const auto addFontRow = [layout](const char* faceName, const char* sizeName) {
    auto* row = new QHBoxLayout;
    row->addSpacing(kIndent);
    FontRow font{new CEnumFontCombo, new QComboBox};
    font.face->setObjectName(QLatin1String(faceName));
    font.size->setObjectName(QLatin1String(sizeName));
    font.size->addItems(FontSizes());
    row->addWidget(font.face, 2);
    row->addWidget(font.size, 1);
    layout->addLayout(row);
    return font;
  };
  layout->addWidget(new QLabel(QStringLiteral("見出し語フォント:")));
  index_ = addFontRow("indexFont", "indexSize");
  layout->addWidget(new QLabel(QStringLiteral("訳文フォント:")));
  trans_ = addFontRow("transFont", "transSize");
  showPhonetic_ = AddCheck(layout, QStringLiteral("発音記号:"), "showPhonetic");
  phonetic_ = addFontRow("phoneticFont", "phoneticSize");
  showSample_ = AddCheck(layout, QStringLiteral("用例:"), "showSample");
  sample_ = addFontRow("sampleFont", "sampleSize");
  removeRequest_ = AddCheck(layout, QStringLiteral("辞書を削除する"), "removeRequest");
  connect(english_, &QCheckBox::clicked, this, &CDicSettingDlg::OnInflectionClicked);
}

void CDicSettingDlg::OnInitDialog() {
  CScrollDialog::OnInitDialog();
  const QString notSet = LoadString(ids::kNotSet);
  const std::pair<FontRow, std::pair<const QString*, int32_t>> rows[] = {
      {index_, {&fields_.indexFont, fields_.indexSize}},
      {trans_, {&fields_.transFont, fields_.transSize}},
      {phonetic_, {&fields_.phoneticFont, fields_.phoneticSize}},
      {sample_, {&fields_.sampleFont, fields_.sampleSize}},
  };
  for (const auto& [row, current] : rows) {
    row.face->clear();
    FillFontList(row.face, notSet, *current.first);
    SelectSize(row.size, current.second);
  }
  // Enabled on opening whatever 1003 holds; only a click on it changes that.
  englishConjugation_->setEnabled(true);
  accent_->setEnabled(true);
}

void CDicSettingDlg::accept() {
  fields_.indexFont = SelectedFace(index_.face);
  fields_.transFont = SelectedFace(trans_.face);
  fields_.phoneticFont = SelectedFace(phonetic_.face);
  fields_.sampleFont = SelectedFace(sample_.face);
  fields_.indexSize = SelectedSize(index_.size);
  fields_.transSize = SelectedSize(trans_.size);
  fields_.phoneticSize = SelectedSize(phonetic_.size);
  fields_.sampleSize = SelectedSize(sample_.size);
  CScrollDialog::accept();
}

void CDicSettingDlg::LoadFields() {
  FieldTransfer::Put(cacheSizeEdit_, fields_.cacheSize);
  FieldTransfer::Put(searchMaxEdit_, fields_.searchMax);
  for (const auto& [box, value] : {std::pair{removeRequest_, fields_.removeRequest},
                                   {english_, fields_.english},
                                   {irregular_, fields_.irregular},
                                   {englishConjugation_, fields_.englishConjugation},
                                   {accent_, fields_.accent},
                                   {notUsed_, fields_.notUsed},
                                   {showPhonetic_, fields_.showPhonetic},
                                   {showSample_, fields_.showSample}}) {
    box->setChecked(value != 0);
  }
  nameEdit_->setText(fields_.dicName);
  pathEdit_->setText(fields_.path);
}

bool CDicSettingDlg::SaveFields() {
  FieldTransfer transfer(this);
  transfer.Unsigned(cacheSizeEdit_, fields_.cacheSize, kLeastField, kMostField);
  transfer.Unsigned(searchMaxEdit_, fields_.searchMax, kLeastField, kMostField);
  transfer.Check(removeRequest_, fields_.removeRequest);
  transfer.Check(english_, fields_.english);
  transfer.Check(irregular_, fields_.irregular);
  transfer.Check(englishConjugation_, fields_.englishConjugation);
  transfer.Check(accent_, fields_.accent);
  transfer.Check(notUsed_, fields_.notUsed);
  transfer.Check(showPhonetic_, fields_.showPhonetic);
  transfer.Check(showSample_, fields_.showSample);
  // The name goes into the settings file, which could not give it back whole.
  transfer.Text(
      nameEdit_, fields_.dicName, [](const QString& name) { return IniFile::CanHoldValue(ToU16View(name)); },
      LoadString(ids::kNameNotStorable));
  if (!transfer.ok()) return false;
  fields_.path = pathEdit_->text();
  return true;
}

void CDicSettingDlg::OnInflectionClicked() {
  SaveFields();
  englishConjugation_->setEnabled(fields_.english != 0);
  accent_->setEnabled(fields_.english != 0);
}

void CDicSettingDlg::FillFontList(CEnumFontCombo* list, const QString& notSet, const QString& face) {
  list->addItem(notSet);
  list->setCurrentIndex(0);
  list->EnumerateFonts(CEnumFontCombo::kDefaultCharset);
  // No early stop: a face listed twice ends on its last place.
  for (int i = 1; i < list->count(); ++i) {
    if (list->itemText(i) == face) list->setCurrentIndex(i);
  }
}

void CDicSettingDlg::SelectSize(QComboBox* list, int32_t size) {
  list->setCurrentIndex(-1);
  for (int i = 0; i < list->count(); ++i) {
    if (list->itemText(i).toInt() == size) list->setCurrentIndex(i);
  }
}

QString CDicSettingDlg::SelectedFace(const CEnumFontCombo* list) {
  return list->currentIndex() > 0 ? list->currentText() : QString();
}

int32_t CDicSettingDlg::SelectedSize(const QComboBox* list) { return list->currentText().toInt(); }

}  // namespace tavlex
