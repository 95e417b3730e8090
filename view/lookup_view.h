// CLookupView: the main frame's client window. It holds the search box above
// the result display, turns each change of the search text into a (delayed)
// search of every dictionary in use, and shows the merged entries part by part
// in the fonts their dictionaries prescribe. An inflection search may follow.
//
// What the search text leads to is decided by its SearchFlow; the view turns
// events into its calls and its entries into paragraphs. Messages and commands
// are posted events (platform/messages.h); the two timers go through the
// TimerService so that tests can drive them.
#pragma once

#include <QMenu>
#include <QWidget>

#include "platform/messages.h"
#include "settings/registered_dictionaries.h"
#include "view/font_cache.h"
#include "view/search_flow.h"

namespace tavlex {

class CEditor;
class CIndexEdit;
class IniFile;

class CLookupView : public QWidget, public platform::CommandTarget, private SearchHost {
  Q_OBJECT

 public:
  // Creates the view with its children: opens the registered dictionaries,
  // loads their settings and the search options from the settings image, and
  // posts the settings-changed message to the parent. The image must outlive the view.
  CLookupView(IniFile& settings, QWidget* parent);
  // Writes every dictionary's settings into the image before anything goes.
  ~CLookupView() override;

  // Writes every dictionary's settings into the image, and the image to its
  // file: after each change of the dictionaries, their settings, the choice
  // or the options, so that a crash or a kill keeps it, and when the session
  // asks. The view writes them into the image once more when it goes.
  void SaveSettings();

  // Called by the frame when it becomes active: the clipboard's text replaces
  // the search word (and so starts a search); without text the old word stays, selected.
  void PasteOnActivate();

  // Fills dictionary menu which of the menu bar: for 0, the dictionary-settings
  // submenu inside popup; for 1, popup itself. Called before the items are labelled.
  void FillDictionaryMenu(int which, QMenu* popup);

  bool OnCommand(int command) override;
  bool OnCommandState(int command, platform::CommandState& state) override;
  // The state of command's menu item, asked of the focused child, the view,
  // then the frame and what lies behind it, as a command would go.
  platform::CommandState QueryCommandState(int command);

  int MenuTenkey() const { return flow_.options().menuTenkey; }
  const ViewerOptions& options() const { return flow_.options(); }
  CIndexEdit* searchEdit() const { return searchEdit_; }
  CEditor* resultDisplay() const { return resultDisplay_; }
  DictionarySet& dictionarySet() { return dictionaries_.set(); }
  const FontCache& fontCache() const { return fonts_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  // SearchHost: commands and timers go to this window.
  void PostCommand(int command) override;
  void SetTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;

  // Offers command, or its state query, to each target on the road in turn
  // until one takes it.
  template <typename Offer>
  bool Route(Offer offer);

  void Search();
  void SearchInflected();
  // The options dialog: on OK the options are written to the image and apply
  // at once, and the frame is asked to rebuild its menus.
  void ShowOptions();
  // The dictionary commands: register a file, one dictionary's settings
  // dialog (which may remove it), use one dictionary or all.
  void RegisterDictionary();
  void EditDictionarySettings(size_t index);
  void ChooseDictionary(size_t k);
  // Asks the frame to rebuild its menus: after every change of the
  // dictionaries, their settings or the options.
  void PostSettingsChanged();
  // After a registration or a removal: saved, menus rebuilt, display refreshed.
  void ListChanged();
  void ShowResults(const std::vector<EntryRef>& entries);
  void AppendEntry(const Entry& entry);
  // The font loader named by "FontOnStorage" runs while fonts are created.
  void LaunchFontLoader();
  void RealizeFonts();
  void CloseFontLoader();
  // The keyboard rules applied before the focused child sees a key; true when the key is consumed.
  bool PreTranslateKey(QKeyEvent* key);

  IniFile& settings_;
  CIndexEdit* searchEdit_ = nullptr;  // child widget, owned by Qt's parent chain
  CEditor* resultDisplay_ = nullptr;  // child widget
  RegisteredDictionaries dictionaries_;
  SearchFlow flow_;  // refers to the set of dictionaries_, declared before it goes
  FontCache fonts_;
  qint64 fontLoaderProcess_ = 0;
  // The search box clears on the release of an Escape whose press it saw too:
  // an Escape that closed a dialog on its press leaves the word alone.
  bool escapePressed_ = false;
};

}  // namespace tavlex
