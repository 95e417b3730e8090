// CLookupView's dictionary commands: registering a file, the settings dialog
// of one dictionary (which may remove it), the choice of the dictionaries in
// use, the two dictionary menus and the state of their items. Each asks its
// seam (file dialog, settings dialog, question), then the registered
// dictionaries do the work.
#include <QDir>

#include "platform/message_box.h"
#include "platform/open_file_dialog.h"
#include "platform/qt_text.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "ui/dic_setting_dlg.h"
#include "view/dictionary_menu.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

int CheckState(bool value) { return value ? 1 : 0; }

CDicSettingDlg::Fields DialogFields(const Dictionary& dictionary) {
  const DictionarySettings& s = dictionary.settings();
  CDicSettingDlg::Fields f;
  f.cacheSize = static_cast<uint32_t>(s.cacheSize);
  f.searchMax = static_cast<uint32_t>(s.searchMax);
  f.english = CheckState(s.english);
  f.irregular = CheckState(s.irregular);
  f.englishConjugation = CheckState(s.englishConjugation);
  f.accent = CheckState(s.accent);
  f.notUsed = CheckState(s.notUsed);
  f.indexFont = ToQString(s.indexFont);
  f.indexSize = s.indexSize;
  f.transFont = ToQString(s.transFont);
  f.transSize = s.transSize;
  f.showPhonetic = CheckState(s.showPhonetic);
  f.phoneticFont = ToQString(s.phoneticFont);
  f.phoneticSize = s.phoneticSize;
  f.showSample = CheckState(s.showSample);
  f.sampleFont = ToQString(s.sampleFont);
  f.sampleSize = s.sampleSize;
  f.dicName = ToQString(s.dicName);
  f.path = ToQString(dictionary.path());
  return f;
}

// Everything but the cache size, which goes through SetCacheSize.
void CopyBack(const CDicSettingDlg::Fields& f, DictionarySettings& s) {
  s.searchMax = static_cast<int32_t>(f.searchMax);
  s.english = f.english != 0;
  s.irregular = f.irregular != 0;
  s.englishConjugation = f.englishConjugation != 0;
  s.accent = f.accent != 0;
  s.notUsed = f.notUsed != 0;
  s.indexFont = ToU16String(f.indexFont);
  s.indexSize = f.indexSize;
  s.transFont = ToU16String(f.transFont);
  s.transSize = f.transSize;
  s.showPhonetic = f.showPhonetic != 0;
  s.phoneticFont = ToU16String(f.phoneticFont);
  s.phoneticSize = f.phoneticSize;
  s.showSample = f.showSample != 0;
  s.sampleFont = ToU16String(f.sampleFont);
  s.sampleSize = f.sampleSize;
  s.dicName = ToU16String(f.dicName);
}

}  // namespace

void CLookupView::FillDictionaryMenu(int which, QMenu* menu) {
  tavlex::FillDictionaryMenu(dictionaries_.set(), which, menu);
}

bool CLookupView::OnCommandState(int command, platform::CommandState& state) {
  if (command == ids::kRegisterDictionary) {
    state.enabled = dictionaries_.CanRegister();
    return true;
  }
  if (command >= ids::kDictionaryChoiceFirst && command <= ids::kDictionaryChoiceLast) {
    state.checked = dictionaries_.ChoiceChecked(static_cast<size_t>(command - ids::kDictionaryChoiceFirst));
    return true;
  }
  return false;
}

void CLookupView::RegisterDictionary() {
  if (!dictionaries_.CanRegister()) return;  // its menu item is greyed
  // The handheld starts at its root; a desktop user's files are at home.
  const platform::OpenFileRequest request{this, LoadString(ids::kOpenDictionaryTitle),
                                          LoadString(ids::kDictionaryFileFilter), QDir::homePath()};
  QString chosen;
  if (platform::ShowOpenFileDialog(request, &chosen) != 1) return;
  const RegisteredDictionaries::Refusal refusal = dictionaries_.Register(ToU16String(chosen));
  if (refusal == RegisteredDictionaries::Refusal::kNone) {
    PostSettingsChanged();
    return;
  }
  const int text = refusal == RegisteredDictionaries::Refusal::kPathNotStorable ? ids::kPathNotStorable
                                                                                : ids::kNotADictionary;
  platform::MessageBox::Show(this, LoadString(text), LoadString(ids::kErrorCaption),
                             platform::MessageBox::kOk);
}

void CLookupView::EditDictionarySettings(size_t index) {
  const Dictionary& dictionary = dictionaries_.set().at(index);
  CDicSettingDlg dialog(this);
  dialog.fields() = DialogFields(dictionary);
  dialog.fields().removeRequest = 0;
  LaunchFontLoader();  // its fonts then appear in the dialog's font lists
  if (dialog.exec() == QDialog::Accepted) {
    const CDicSettingDlg::Fields& f = dialog.fields();
    DictionarySettings settings = dictionary.settings();
    settings.cacheSize = static_cast<int32_t>(f.cacheSize);
    CopyBack(f, settings);
    dictionaries_.Store(index, settings);
    PostSettingsChanged();
    RealizeFonts();
    if (f.removeRequest != 0) {
      QString question = LoadString(ids::kRemoveQuestion);
      question.replace(QStringLiteral("%s"), f.path);
      const int answer =
          platform::MessageBox::Show(this, question, LoadString(ids::kConfirmCaption),
                                     platform::MessageBox::kYesNo | platform::MessageBox::kIconQuestion);
      if (answer == platform::MessageBox::kIdYes) {
        // Entries on screen hold their dictionary weakly: they stay shown until the next search.
        dictionaries_.Remove(index);
        PostSettingsChanged();
      }
    }
  }
  CloseFontLoader();
}

void CLookupView::ChooseDictionary(size_t k) {
  dictionaries_.Choose(k);
  platform::PostCommand(this, ids::kSearch);
}

}  // namespace tavlex
