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
#include "view/dialog_fields.h"
#include "view/dictionary_menu.h"
#include "view/lookup_view.h"

namespace tavlex {

void CLookupView::FillDictionaryMenu(int which, QMenu* menu) {
  tavlex::FillDictionaryMenu(dictionaries_.set(), which, menu);
}

bool CLookupView::OnCommandState(int command, platform::CommandState& state) {
  if (SearchCommandState(command, state)) return true;
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
    ListChanged();
    return;
  }
  const int text = refusal == RegisteredDictionaries::Refusal::kPathNotStorable ? ids::kPathNotStorable
                                                                                : ids::kNotADictionary;
  platform::MessageBox::Show(this, LoadString(text), LoadString(ids::kErrorCaption),
                             platform::MessageBox::kOk);
}

void CLookupView::EditDictionarySettings(size_t index) {
  CDicSettingDlg dialog(this);
  dialog.fields() = DictionaryDialogFields(dictionaries_.set().at(index));
  LaunchFontLoader();  // its fonts then appear in the dialog's font lists
  if (dialog.exec() == QDialog::Accepted) {
    const CDicSettingDlg::Fields& f = dialog.fields();
    dictionaries_.Store(index, SettingsFromDialog(f));
    SaveSettings();
    PostSettingsChanged();
    RealizeFonts();
    if (f.removeRequest != 0) {
      QString question = LoadString(ids::kRemoveQuestion);
      question.replace(QStringLiteral("%s"), f.path);
      const int answer =
          platform::MessageBox::Show(this, question, LoadString(ids::kConfirmCaption),
                                     platform::MessageBox::kYesNo | platform::MessageBox::kIconQuestion);
      if (answer == platform::MessageBox::kIdYes) {
        flow_.Forget(dictionaries_.set().at(index));
        dictionaries_.Remove(index);
        ListChanged();
      }
    }
  }
  CloseFontLoader();
}

void CLookupView::ChooseDictionary(size_t k) {
  dictionaries_.Choose(k);
  SaveSettings();
  platform::PostCommand(this, ids::kSearch);
}

void CLookupView::ListChanged() {
  SaveSettings();
  PostSettingsChanged();
  // The entries of a removed dictionary go, and the first-run hint goes or
  // comes back at once; the word is then looked up in the new list.
  ShowResults(SearchFlow::Found::kNothing, true);
  platform::PostCommand(this, ids::kSearch);
}

}  // namespace tavlex
