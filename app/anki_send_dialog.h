// CAnkiSendDialog: ツール → 単語帳... → Ankiに送る...: the deck and the note
// type to send the chosen entries as, and which of our fields fills each
// field of the note type, then what came of the sending. The work is
// AnkiSending's; this dialog shows its state after every answer and hands it
// the user's choices. The choice is remembered in the settings once sent.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "view/anki_sending.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;

namespace tavlex {

class CAnkiSendDialog : public QDialog {
  Q_OBJECT

 public:
  // Asks AnkiConnect on port at once; settings must outlive the dialog.
  CAnkiSendDialog(std::vector<wordbook::KeptEntry> entries, IniFile& settings, uint16_t port,
                  QWidget* parent);
  ~CAnkiSendDialog() override;

  const AnkiSending& sending() const { return *sending_; }

 private:
  // The controls as the sending's state has them now.
  void Show();
  void ShowFields();

  IniFile& settings_;
  std::unique_ptr<platform::AnkiConnectClient> client_;
  std::unique_ptr<AnkiSending> sending_;
  QLabel* message_;
  QComboBox* deck_;
  QComboBox* noteType_;
  QFormLayout* fields_;  // the deck, the note type, then the note type's fields
  std::vector<QComboBox*> fieldChoices_;
  std::vector<std::string> shownFields_;  // the note type's fields the form shows
  QPushButton* send_;
  bool showing_ = false;  // the controls are being set from the state
};

}  // namespace tavlex
