#include "view/dialog_fields.h"

#include <algorithm>
#include <climits>

#include "platform/qt_text.h"

namespace tavlex {
namespace {

// One pass over the eighteen settings beside the fields that show them,
// shared by both directions so that they cannot miss a field or pair two
// wrongly. The setting's type picks the conversion: bool ⇄ check state,
// int32 ⇄ an unsigned number field or a size, text ⇄ QString.
template <typename Settings, typename Fields, typename Visitor>
void VisitDialogFields(Settings& s, Fields& f, Visitor&& visit) {
  visit(s.cacheSize, f.cacheSize);
  visit(s.searchMax, f.searchMax);
  visit(s.english, f.english);
  visit(s.irregular, f.irregular);
  visit(s.englishConjugation, f.englishConjugation);
  visit(s.accent, f.accent);
  visit(s.notUsed, f.notUsed);
  visit(s.indexFont, f.indexFont);
  visit(s.indexSize, f.indexSize);
  visit(s.transFont, f.transFont);
  visit(s.transSize, f.transSize);
  visit(s.showPhonetic, f.showPhonetic);
  visit(s.phoneticFont, f.phoneticFont);
  visit(s.phoneticSize, f.phoneticSize);
  visit(s.showSample, f.showSample);
  visit(s.sampleFont, f.sampleFont);
  visit(s.sampleSize, f.sampleSize);
  visit(s.dicName, f.dicName);
}

struct IntoDialog {
  void operator()(int32_t value, uint32_t& field) const { field = static_cast<uint32_t>(value); }
  void operator()(int32_t value, int32_t& field) const { field = value; }
  void operator()(bool value, int& field) const { field = value ? 1 : 0; }
  void operator()(const std::u16string& value, QString& field) const { field = ToQString(value); }
};

struct OutOfDialog {
  void operator()(int32_t& value, uint32_t field) const { value = static_cast<int32_t>(field); }
  void operator()(int32_t& value, int32_t field) const { value = field; }
  void operator()(bool& value, int field) const { value = field != 0; }
  void operator()(std::u16string& value, const QString& field) const { value = ToU16String(field); }
};

}  // namespace

CDicSettingDlg::Fields DictionaryDialogFields(const Dictionary& dictionary) {
  CDicSettingDlg::Fields fields;
  VisitDialogFields(dictionary.settings(), fields, IntoDialog{});
  fields.path = ToQString(dictionary.path());
  return fields;
}

DictionarySettings SettingsFromDialog(const CDicSettingDlg::Fields& fields) {
  DictionarySettings settings;
  VisitDialogFields(settings, fields, OutOfDialog{});
  return settings;
}

CSettingDlg::Fields OptionsDialogFields(const ViewerOptions& options) {
  CSettingDlg::Fields fields;
  fields.incrementalSearch = options.incresearch ? 1 : 0;
  // A negative delay from a hand-edited file means the same as 0.
  fields.delay = static_cast<uint32_t>(std::max(options.delay, 0));
  fields.conjudelay = static_cast<uint32_t>(std::max(options.conjudelay, 0));
  fields.menuTenkey = options.menuTenkey == 1 ? 1 : 0;
  return fields;
}

ViewerOptions OptionsFromDialog(const CSettingDlg::Fields& fields, ViewerOptions options) {
  options.incresearch = fields.incrementalSearch != 0;
  options.delay = static_cast<int32_t>(fields.delay);
  // The inflection delay has no upper bound in the dialog; the setting holds at most INT32_MAX.
  options.conjudelay = static_cast<int32_t>(std::min<uint32_t>(fields.conjudelay, INT32_MAX));
  options.menuTenkey = fields.menuTenkey;
  return options;
}

}  // namespace tavlex
