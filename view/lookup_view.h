// CLookupView: the main frame's client window. It holds the search box above
// the result display, turns each change of the search text into a (delayed)
// search of every dictionary in use, and shows the merged entries part by part
// in the fonts their dictionaries prescribe. An inflection search may follow.
// In 文から検索 each group of entries comes under a heading that says which
// start of the text it covers and the form found.
//
// The view translates events and draws. What the search text leads to, and
// what the history, a text from another program or a selection turn the
// search to, is decided by its SearchFlow; what keeping a shown entry takes,
// by ShownEntries. Messages and commands are posted events
// (platform/messages.h, their numbers in resources/resource_ids.h); the
// timers (the incremental search, the inflection search, the history) go
// through the TimerService so that tests can drive them.
//
// The search mode shows in the box (a placeholder) and beside it (a marker),
// so that a mode left on is never taken for the prefix search.
//
// Its files: lookup_view.cpp the children, the events and keys, the results
// drawn and keeping; lookup_view_search.cpp the 検索 menu and the workers'
// notices; lookup_view_dictionaries.cpp the dictionary commands and menus.
#pragma once

#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "settings/registered_dictionaries.h"
#include "view/activation_paste.h"
#include "view/entry_keeping.h"
#include "view/font_cache.h"
#include "view/search_flow.h"
#include "wordbook/word_book.h"

namespace tavlex {

class CEditor;
class CIndexEdit;
class IniFile;

class CLookupView : public QWidget, public platform::CommandTarget, private SearchHost {
  Q_OBJECT

 public:
  // Creates the view with its children and loads the search options from the
  // settings image, which must outlive the view. The registered dictionaries
  // are opened by OpenDictionaries.
  CLookupView(IniFile& settings, QWidget* parent);
  // Writes every dictionary's settings into the image before anything goes.
  ~CLookupView() override;

  // Writes every dictionary's settings and the history into the image, and the
  // image to its file: after each change of the dictionaries, their settings,
  // the choice or the options, so that a crash or a kill keeps it, and when the
  // session asks. The view writes them into the image once more when it goes.
  void SaveSettings();

  // Opens the registered dictionaries with their settings, posts the
  // settings-changed message to the parent, and searches the text typed
  // meanwhile, or shows the first-run hint. Runs once, by itself right
  // after the window's first paint, so that the window appears before large
  // dictionaries are read, or earlier when a search or a command needs them.
  void OpenDictionaries();

  // A text from another program: the view turns to 文から検索, the text
  // replaces the search text as a paste does, and is searched as a typed
  // text is, or at once where a change is not searched (a text already in
  // the box, the incremental search off). The next activation of the window
  // keeps it rather than pasting the clipboard over it.
  void LookUp(const QString& text);

  // The text selected in the result display (a double-clicked word with the
  // rest of its line), its first line, looked up as a word from another
  // program is; the word in the box goes into the history first. Nothing
  // happens when the line holds nothing to search.
  void LookUpSelection();

  // Called by the frame when it becomes active: a text copied since the
  // viewer last took one replaces the search word (and so starts a search,
  // ActivationPaste); otherwise the old word stays, selected.
  void PasteOnActivate();

  // Fills dictionary menu which of the menu bar (kSettingsMenu: the
  // dictionary-settings submenu inside popup; kChoiceMenu: popup itself).
  // Called before the items are labelled.
  void FillDictionaryMenu(int which, QMenu* popup);
  // The 最近の検索語 submenu of the 検索 menu; null when it has none.
  static QMenu* RecentWordsMenu(QMenu* searchMenu);
  // Lists the recent words, newest first, in recent: as it is about to show,
  // before its items are labelled.
  void FillRecentWords(QMenu* recent);

  bool OnCommand(int command) override;
  bool OnCommandState(int command, platform::CommandState& state) override;
  // The state of command's menu item, asked of the focused child, the view,
  // then the frame and what lies behind it, as a command would go.
  platform::CommandState QueryCommandState(int command);

  int MenuTenkey() const { return viewerSettings_.viewer.menuTenkey; }
  const ViewerOptions& options() const { return viewerSettings_.viewer; }
  CIndexEdit* searchEdit() const { return searchEdit_; }
  CEditor* resultDisplay() const { return resultDisplay_; }
  DictionarySet& dictionarySet() {
    OpenDictionaries();
    return dictionaries_.set();
  }
  const FontCache& fontCache() const { return fonts_; }
  const SearchFlow& searchFlow() const { return flow_; }
  // The pop-up's look-up of text, beside the window's search (SearchFlow::ScanApart).
  std::vector<ScanGroup> ScanApart(std::u16string_view text) {
    OpenDictionaries();
    return flow_.ScanApart(text);
  }
  QLabel* modeMarker() const { return modeMarker_; }

  // The user's word book, opened at the first use.
  wordbook::WordBook& wordBook();
  // Keeps an entry shown in the result display: with underCursor, the one
  // at the top of a focused display, else the first. The status message
  // says what came of it; the marks are redrawn.
  void KeepEntry(bool underCursor);
  // Draws the result display anew where it is, for the marks of entries
  // kept or removed elsewhere.
  void ShowMarks();

 signals:
  // The result display shows a new list (after a search that found
  // something, or after the dictionaries changed).
  void resultsShown();
  // A line for the window's status bar: what a keep did.
  void statusMessage(const QString& text);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // SearchHost: commands and timers go to this window.
  void PostCommand(int command) override;
  void SetTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;
  void PostMessage(int message, intptr_t wParam, intptr_t lParam) override;
  // Kept at once, so that a kill loses no word.
  void HistoryChanged() override { SaveSettings(); }

  // Offers command, or its state query, to each target on the road in turn
  // until one takes it.
  template <typename Offer>
  bool Route(Offer offer);

  // Opens the dictionaries unless they are open; true when it did.
  bool OpenOnce();
  void Search();
  void SearchInflected();
  // A worker's notice: a count or an index's progress is redrawn where the
  // reader is, an index that came ready brings its results.
  void OnSearchNotice(int message, qintptr wParam, qintptr lParam);
  // The 検索 menu's commands and the state of their items; false for other commands.
  bool OnSearchCommand(int command);
  bool SearchCommandState(int command, platform::CommandState& state);
  // 索引を削除: the index files go, the status bar says how they come back, and
  // hits of an index mode on show bring their indexes back at once.
  void RemoveIndexes();
  // New search options: written into the image, shown in the box, and the word searched again.
  void ApplySearchOptions(const SearchOptions& options);
  // The same without the search.
  void StoreSearchOptions(const SearchOptions& options);
  void ShowMode();
  // The search box, the marker beside it and the result display, for the view's size.
  void PlaceChildren();
  // Puts a word of the history into the box in its mode (and fields), and searches it.
  void ShowHistoryEntry(const std::optional<HistoryEntry>& entry);
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
  // Every dictionary's settings and the history, into the image.
  void StoreSettings();
  // After a registration or a removal: saved, menus rebuilt, display refreshed.
  void ListChanged();
  // Shows what the last search found, found, with the progress of the
  // indexes above it; toTop: a new list, read from its top.
  void ShowResults(SearchFlow::Found found, bool toTop);
  // The parts of entry, matches marked, the headword marked when it is
  // kept, the lines of hidden fields that matched, then more (if any) and a
  // blank line.
  void AppendEntry(const EntryRef& entry, const std::vector<FieldMatch>& matches, const std::u16string* more);
  // The font loader named by "FontOnStorage" runs while fonts are created.
  void LaunchFontLoader();
  void RealizeFonts();
  void CloseFontLoader();
  // The keyboard rules applied before the focused child sees a key; true when the key is consumed.
  bool PreTranslateKey(QKeyEvent* key);
  // A key pressed while an input method composes in the search box: Return
  // commits the composition, Escape cancels it (the word stays); the rest go
  // on to the box.
  bool ComposingKey(QKeyEvent* key);

  IniFile& settings_;
  std::unique_ptr<wordbook::WordBook> wordBook_;
  ShownEntries shownEntries_;         // what the result display shows, for keeping
  CIndexEdit* searchEdit_ = nullptr;  // child widget, owned by Qt's parent chain
  CEditor* resultDisplay_ = nullptr;  // child widget
  QLabel* modeMarker_ = nullptr;      // child widget, shown in every mode but the prefix search
  SearchFlow::Found shown_ = SearchFlow::Found::kNothing;  // which list of the flow the display shows
  bool redrawPosted_ = false;                              // a redraw in place is on its way
  RegisteredDictionaries dictionaries_;
  // The options from the image; each change is written back there at once.
  ViewerSettings viewerSettings_;
  SearchFlow flow_;  // refers to the set of dictionaries_ and to viewerSettings_, declared before it
  FontCache fonts_;
  qint64 fontLoaderProcess_ = 0;
  bool dictionariesOpen_ = false;
  bool openingPosted_ = false;
  ActivationPaste activationPaste_;  // what each activation of the window takes from the clipboard
  // The search box clears on the release of an Escape whose press it saw too:
  // an Escape that closed a dialog on its press leaves the word alone.
  bool escapePressed_ = false;
};

}  // namespace tavlex
