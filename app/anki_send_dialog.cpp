#include "app/anki_send_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "settings/ini_file.h"

namespace tavlex {
namespace {

using wordbook::KeptField;

// Wide enough for the note type's field names beside their choices, and
// lines enough for the longest message without squeezing the controls.
constexpr int kDialogWidth = 460;
constexpr int kMessageLines = 4;
// The form's rows of the note type's fields follow those of the deck and the note type.
constexpr int kFirstFieldRow = 2;

// The label of each of our fields, in kKeptFields' order.
constexpr int kFieldLabels[] = {ids::kAnkiFieldHeadword,      ids::kAnkiFieldTranslation,
                                ids::kAnkiFieldPronunciation, ids::kAnkiFieldExample,
                                ids::kAnkiFieldSource,        ids::kAnkiFieldDictionary};
static_assert(std::size(kFieldLabels) == wordbook::kKeptFields.size());

QStringList Names(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list << QString::fromStdString(name);
  return list;
}

}  // namespace

CAnkiSendDialog::CAnkiSendDialog(std::vector<wordbook::KeptEntry> entries, IniFile& settings, uint16_t port,
                                 QWidget* parent)
    : QDialog(parent), settings_(settings), client_(std::make_unique<platform::AnkiConnectClient>(port)) {
  setObjectName(QStringLiteral("ankiSendDialog"));
  setWindowTitle(LoadString(ids::kAnkiTitle));

  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("ankiMessage"));
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  message_->setMinimumHeight(message_->fontMetrics().lineSpacing() * kMessageLines);
  deck_ = new QComboBox(this);
  deck_->setObjectName(QStringLiteral("ankiDeck"));
  noteType_ = new QComboBox(this);
  noteType_->setObjectName(QStringLiteral("ankiNoteType"));

  // The deck and the note type, then a row for each of the note type's fields.
  fields_ = new QFormLayout;
  fields_->addRow(LoadString(ids::kAnkiDeck), deck_);
  fields_->addRow(LoadString(ids::kAnkiNoteType), noteType_);

  auto* buttons = new QDialogButtonBox(this);
  send_ = buttons->addButton(LoadString(ids::kAnkiSend), QDialogButtonBox::AcceptRole);
  send_->setObjectName(QStringLiteral("ankiSend"));
  QPushButton* close = buttons->addButton(LoadString(ids::kWordBookClose), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("ankiClose"));
  connect(send_, &QPushButton::clicked, this, [this] {
    sending_->Send();
    Show();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addLayout(fields_);
  layout->addStretch();
  layout->addWidget(buttons);

  connect(deck_, &QComboBox::currentTextChanged, this, [this](const QString& deck) {
    if (!showing_) sending_->ChooseDeck(deck.toStdString());
  });
  connect(noteType_, &QComboBox::currentTextChanged, this, [this](const QString& noteType) {
    if (showing_) return;
    sending_->ChooseNoteType(noteType.toStdString());
    Show();
  });

  resize(kDialogWidth, sizeHint().height());
  sending_ = std::make_unique<AnkiSending>(*client_, std::move(entries), LoadAnkiChoice(settings_), [this] {
    if (sending_->stage() == AnkiSending::Stage::kSent) {
      SaveAnkiChoice(sending_->choice(), settings_);
      settings_.Save();
    }
    Show();
  });
  sending_->Start();
  Show();
}

CAnkiSendDialog::~CAnkiSendDialog() = default;

void CAnkiSendDialog::Show() {
  showing_ = true;
  const AnkiSending& sending = *sending_;
  if (deck_->count() != static_cast<int>(sending.decks().size())) {
    deck_->clear();
    deck_->addItems(Names(sending.decks()));
  }
  deck_->setCurrentText(QString::fromStdString(sending.choice().deck));
  if (noteType_->count() != static_cast<int>(sending.noteTypes().size())) {
    noteType_->clear();
    noteType_->addItems(Names(sending.noteTypes()));
  }
  noteType_->setCurrentText(QString::fromStdString(sending.choice().noteType));
  ShowFields();
  showing_ = false;

  QString text;
  switch (sending.stage()) {
    case AnkiSending::Stage::kAsking:
      text = LoadString(ids::kAnkiAsking);
      break;
    case AnkiSending::Stage::kReady:
      text = LoadString(ids::kAnkiReady).arg(sending.count());
      break;
    case AnkiSending::Stage::kSending:
      text = LoadString(ids::kAnkiSending);
      break;
    case AnkiSending::Stage::kSent:
      text = LoadString(ids::kAnkiSent)
                 .arg(sending.sent().added)
                 .arg(sending.sent().duplicates)
                 .arg(sending.sent().failed);
      if (!sending.sent().firstError.empty()) {
        text += QStringLiteral(" (") + QString::fromStdString(sending.sent().firstError) + u')';
      }
      break;
    case AnkiSending::Stage::kFailed:
      text = sending.failure().notRunning
                 ? LoadString(ids::kAnkiNotRunning).arg(wordbook::kAnkiConnectPort)
                 : LoadString(ids::kAnkiFailed).arg(QString::fromStdString(sending.failure().detail));
      break;
  }
  message_->setText(text);
  const bool ready = sending.stage() == AnkiSending::Stage::kReady && sending.count() > 0;
  send_->setEnabled(ready);
  deck_->setEnabled(ready);
  noteType_->setEnabled(ready);
}

void CAnkiSendDialog::ShowFields() {
  const AnkiSending& sending = *sending_;
  if (shownFields_ != sending.noteFields()) {
    while (fields_->rowCount() > kFirstFieldRow) fields_->removeRow(kFirstFieldRow);
    fieldChoices_.clear();
    shownFields_ = sending.noteFields();
    for (size_t i = 0; i < shownFields_.size(); ++i) {
      auto* from = new QComboBox(this);
      from->setObjectName(QStringLiteral("ankiField%1").arg(i));
      from->addItem(LoadString(ids::kAnkiFieldNone));
      for (const int label : kFieldLabels) from->addItem(LoadString(label));
      connect(from, &QComboBox::currentIndexChanged, this, [this, i](int index) {
        if (showing_) return;
        sending_->MapField(
            i, index <= 0 ? std::nullopt : std::optional<KeptField>(wordbook::kKeptFields[index - 1]));
      });
      fields_->addRow(QString::fromStdString(shownFields_[i]), from);
      fieldChoices_.push_back(from);
    }
  }
  for (size_t i = 0; i < fieldChoices_.size() && i < sending.choice().fields.size(); ++i) {
    const std::optional<KeptField> from = sending.choice().fields[i];
    const auto at = std::find(wordbook::kKeptFields.begin(), wordbook::kKeptFields.end(), from);
    fieldChoices_[i]->setCurrentIndex(from ? static_cast<int>(at - wordbook::kKeptFields.begin()) + 1 : 0);
    fieldChoices_[i]->setEnabled(sending.stage() == AnkiSending::Stage::kReady);
  }
}

}  // namespace tavlex
