// What the two settings dialogs show, copied from the settings they edit and
// back when the user confirms: one dictionary's DictionarySettings for
// CDicSettingDlg, the viewer's options for CSettingDlg.
#pragma once

#include "engine/dictionary.h"
#include "settings/viewer_options.h"
#include "ui/dic_setting_dlg.h"
#include "ui/setting_dlg.h"

namespace tavlex {

// The dictionary's settings, each flag as a check state, and its path; no
// removal requested.
CDicSettingDlg::Fields DictionaryDialogFields(const Dictionary& dictionary);

// The settings the fields give; any check state other than 0 is true.
DictionarySettings SettingsFromDialog(const CDicSettingDlg::Fields& fields);

CSettingDlg::Fields OptionsDialogFields(const ViewerOptions& options);

// options with the dialog's four fields in place; the font loader stays.
ViewerOptions OptionsFromDialog(const CSettingDlg::Fields& fields, ViewerOptions options);

}  // namespace tavlex
