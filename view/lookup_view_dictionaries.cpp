// CLookupView's dictionary commands: registering a file, the settings dialog
// of one dictionary (which may remove it), the choice of the dictionaries in
// use, the two dictionary menus and the state of their items.
#include <QDir>

#include "platform/message_box.h"
#include "platform/open_file_dialog.h"
#include "platform/qt_text.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "settings/dictionary_keys.h"
#include "ui/dic_setting_dlg.h"
#include "view/dictionary_menu.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

constexpr size_t kMostDictionaries = 9;

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
  if (set_) tavlex::FillDictionaryMenu(*set_, which, menu);
}

bool CLookupView::OnCommandState(int command, platform::CommandState& state) {
  if (!set_) return false;
  if (command == ids::kRegisterDictionary) {
    state.enabled = set_->count() < kMostDictionaries;
    return true;
  }
  if (command >= ids::kDictionaryChoiceFirst && command <= ids::kDictionaryChoiceLast) {
    state.checked =
        DictionaryChoiceChecked(*set_, static_cast<size_t>(command - ids::kDictionaryChoiceFirst));
    return true;
  }
  return false;
}

void CLookupView::RegisterDictionary() {
  if (!set_) return;
  // The handheld starts at its root; a desktop user's files are at home.
  const platform::OpenFileRequest request{this, LoadString(ids::kOpenDictionaryTitle),
                                          LoadString(ids::kDictionaryFileFilter), QDir::homePath()};
  QString chosen;
  if (platform::ShowOpenFileDialog(request, &chosen) != 1) return;
  const std::u16string path = ToU16String(chosen);
  // Refused first, so that such a path never reaches the set or the settings.
  const int refusal = !SettingsCanHoldPath(path) ? ids::kPathNotStorable
                      : !set_->Open(path)        ? ids::kNotADictionary
                                                 : 0;
  if (refusal != 0) {
    platform::MessageBox::Show(this, LoadString(refusal), LoadString(ids::kErrorCaption),
                               platform::MessageBox::kOk);
    return;
  }
  SaveDictionaryList(*set_, settings_);
  if (parentWidget()) platform::PostMessage(parentWidget(), platform::kWmSettingsChanged);
  LoadDictionarySettings(*set_, settings_);
}

void CLookupView::EditDictionarySettings(size_t index) {
  Dictionary& dictionary = set_->at(index);
  CDicSettingDlg dialog(this);
  dialog.fields() = DialogFields(dictionary);
  dialog.fields().removeRequest = 0;
  LaunchFontLoader();  // its fonts then appear in the dialog's font lists
  if (dialog.exec() == QDialog::Accepted) {
    const CDicSettingDlg::Fields& f = dialog.fields();
    dictionary.SetCacheSize(static_cast<int32_t>(f.cacheSize));
    CopyBack(f, dictionary.settings());
    SaveDictionarySettings(*set_, settings_);
    if (parentWidget()) platform::PostMessage(parentWidget(), platform::kWmSettingsChanged);
    RealizeFonts();
    if (f.removeRequest != 0) {
      QString question = LoadString(ids::kRemoveQuestion);
      question.replace(QStringLiteral("%s"), f.path);
      const int answer =
          platform::MessageBox::Show(this, question, LoadString(ids::kConfirmCaption),
                                     platform::MessageBox::kYesNo | platform::MessageBox::kIconQuestion);
      if (answer == platform::MessageBox::kIdYes) {
        // Entries on screen hold their dictionary weakly: they stay shown until the next search.
        set_->RemoveAt(index);
        SaveDictionaryList(*set_, settings_);
        if (parentWidget()) platform::PostMessage(parentWidget(), platform::kWmSettingsChanged);
      }
    }
  }
  CloseFontLoader();
}

void CLookupView::ChooseDictionary(size_t k) {
  ChooseDictionaries(*set_, k);
  platform::PostCommand(this, ids::kSearch);
}

}  // namespace tavlex
