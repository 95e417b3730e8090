// CWordBookWindow: the word book's window (ツール → 単語帳...). The filter box
// above the list of kept entries, newest first; the chosen entry in full
// beside it (below it on a narrow screen); Delete, 元に戻す, the exports and
// the way to Anki below, in as many rows as the screen's width needs. What
// any of it does is WordBookBrowser's; this class turns keys, clicks and
// the selection into its calls and shows what it gives.
//
// Keys as in the main window: typing goes to the filter box, Down or Return
// goes to the list, Up on its first row back to the box, Tab round the
// window; Delete removes the chosen entries, Ctrl+Z puts them back, Escape
// empties the box, or with an empty box closes the window.
#pragma once

#include <QAbstractListModel>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "view/font_cache.h"
#include "view/word_book_browser.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSplitter;
class QVBoxLayout;

namespace tavlex {

class CEditor;
class IniFile;

class CWordBookWindow : public QWidget {
  Q_OBJECT

 public:
  // book and settings (where the Anki dialog remembers its choice) must
  // outlive the window; settingsOf gives a registered dictionary's settings
  // for its fonts; foldKana is the viewer's option.
  CWordBookWindow(wordbook::WordBook& book, IniFile& settings, WordBookBrowser::SettingsOf settingsOf,
                  std::function<bool()> foldKana, QWidget* parent);
  ~CWordBookWindow() override;

  WordBookBrowser& browser() { return browser_; }
  // Reads the word book anew and shows it, with the problem of its file if it has one.
  void Reload();
  // Arranges the window for the screen it is on and takes the size it wants there, within it.
  void FitScreen();

  void RemoveChosen();
  void Undo();
  // Asks for a file through the file dialog and writes the chosen entries
  // (all those shown, with all) into it.
  void Export(bool all);
  // Opens the dialog that sends the chosen entries to Anki.
  void SendToAnki();
  // Tests: AnkiConnect listens on this port instead.
  void SetAnkiPortForTesting(uint16_t port) { ankiPort_ = port; }

 signals:
  // Entries were removed or put back: the marks of a result display change.
  void wordBookChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class ListModel;

  // The list, the choice and the detail as the browser has them now.
  void ShowList();
  // The buttons in rows as wide as room (pixels) allows.
  void ArrangeButtons(int room);
  void ShowDetail();
  void ShowStatus(const QString& text);
  void OnSelectionChanged();

  WordBookBrowser browser_;
  IniFile& settings_;
  uint16_t ankiPort_;
  std::function<bool()> foldKana_;
  FontCache fonts_;
  bool showing_ = false;  // the list's selection is being set from the browser
  QLabel* problem_;
  QLineEdit* filter_;
  QListView* list_;
  std::unique_ptr<ListModel> model_;
  CEditor* detail_;
  QLabel* status_;
  QPushButton* undo_;
  QSplitter* splitter_;
  std::vector<QPushButton*> buttons_;  // in their order along the rows
  QVBoxLayout* buttonRows_;
};

// The sentence the window shows above the list for a word book that cannot
// be written or read; empty for one that can.
QString WordBookProblemText(const wordbook::BookStatus& status, const QString& file);

}  // namespace tavlex
