// What the Send to Anki dialog does, without the dialog: asks AnkiConnect
// for the decks and note types, and for the fields of the note type chosen;
// maps our fields to them (the choice remembered in the settings); sends the
// entries as notes and tells how many went, how many Anki had already
// (duplicates in the deck) and why the others did not.
//
// Every request goes through the transport and is answered later, from the
// event loop; changed() is called after each answer. An answer that comes
// after the object has gone is dropped.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/anki_connect_client.h"
#include "wordbook/anki_connect.h"
#include "wordbook/kept_entry.h"

namespace tavlex {

class IniFile;

// The deck, the note type and the fields of ours that fill the note type's
// fields, in its order, as the last send chose them.
struct AnkiChoice {
  std::string deck;
  std::string noteType;
  std::vector<std::optional<wordbook::KeptField>> fields;
  bool operator==(const AnkiChoice&) const = default;
};

// The [anki] section of the settings: deck, notetype, and fields (our field
// names in the note type's order, separated by commas, none left empty). A
// name the settings file cannot hold is not remembered.
AnkiChoice LoadAnkiChoice(const IniFile& settings);
void SaveAnkiChoice(const AnkiChoice& choice, IniFile& settings);

class AnkiSending {
 public:
  enum class Stage {
    kAsking,   // the decks, note types or fields are being asked for
    kReady,    // chosen; Send may go
    kSending,  // the notes are on their way
    kSent,     // sent(): what came of it
    kFailed,   // failure(): Anki could not be reached, or refused
  };
  struct Failure {
    bool notRunning = false;  // nothing answers on the port: Anki is not running
    std::string detail;       // otherwise what went wrong, in AnkiConnect's or our words
  };
  struct Sent {
    size_t added = 0;
    size_t duplicates = 0;
    size_t failed = 0;
    std::string firstError;  // Anki's reason for the first note that failed
  };

  // entries are sent; remembered is the last choice.
  AnkiSending(platform::AnkiConnectTransport& transport, std::vector<wordbook::KeptEntry> entries,
              AnkiChoice remembered, std::function<void()> changed);

  // Asks for the decks and the note types, then the chosen note type's fields.
  void Start();

  Stage stage() const { return stage_; }
  const Failure& failure() const { return failure_; }
  const Sent& sent() const { return sent_; }
  size_t count() const { return entries_.size(); }

  const std::vector<std::string>& decks() const { return decks_; }
  const std::vector<std::string>& noteTypes() const { return noteTypes_; }
  const AnkiChoice& choice() const { return choice_; }
  // The note type's fields, in its order (choice().fields gives what fills each).
  const std::vector<std::string>& noteFields() const { return noteFields_; }

  void ChooseDeck(const std::string& deck);
  // Asks for the fields of noteType; the mapping remembered for it, or a first one.
  void ChooseNoteType(const std::string& noteType);
  void MapField(size_t noteField, std::optional<wordbook::KeptField> from);

  // Sends the entries as notes of the choice: those Anki would take, after asking.
  void Send();

 private:
  // Posts body; read gets the answer's body, or the stage turns to failed.
  void Ask(const std::string& body, std::function<void(const std::string&)> read);
  void Fail(std::string detail, bool notRunning = false);
  void AskNoteTypes();
  void AskFields();
  void Added(const std::vector<bool>& canAdd, const std::string& body, size_t sentCount);

  platform::AnkiConnectTransport& transport_;
  std::vector<wordbook::KeptEntry> entries_;
  AnkiChoice remembered_;
  std::function<void()> changed_;
  Stage stage_ = Stage::kAsking;
  Failure failure_;
  Sent sent_;
  std::vector<std::string> decks_;
  std::vector<std::string> noteTypes_;
  std::vector<std::string> noteFields_;
  AnkiChoice choice_;
  std::shared_ptr<int> alive_ = std::make_shared<int>();  // answers hold it weakly
};

}  // namespace tavlex
