// The requests that send kept entries to Anki through its AnkiConnect add-on
// (JSON over HTTP, API version 6), and the reading of its answers. Only the
// text is made and read here; the transport is platform/anki_connect_client.h.
//
// Sending goes in two steps: canAddNotes tells which notes Anki would take
// (false: a note with the same first field is in the deck already), then
// addNotes adds those. The outcome is told note by note.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "wordbook/kept_entry.h"
#include "wordbook/kept_fields.h"

namespace tavlex::wordbook {

inline constexpr uint16_t kAnkiConnectPort = 8765;
inline constexpr int kAnkiConnectVersion = 6;

// For each field of the note type, in its order, the field of ours that
// fills it (none: left empty).
struct FieldMapping {
  struct Pair {
    std::string noteField;
    std::optional<KeptField> from;
    bool operator==(const Pair&) const = default;
  };
  std::vector<Pair> fields;
  bool operator==(const FieldMapping&) const = default;
};

// A first mapping for a note type's fields: each field whose name is one of
// ours or a usual name for it (Front, Word, Expression; Back, Meaning;
// Reading; Sentence; Context), whatever its case, takes that field; if none
// took the headword, the first field does.
FieldMapping DefaultMapping(std::span<const std::string> noteFields);

// Where and how the notes go.
struct NoteTarget {
  std::string deck;
  std::string noteType;
  FieldMapping mapping;
  std::vector<std::string> tags;
};

std::string DeckNamesRequest();
std::string ModelNamesRequest();
std::string ModelFieldNamesRequest(std::string_view noteType);
// The entries as notes of target, fields in HTML as the Anki text export
// writes them; duplicates are not allowed within the deck.
std::string CanAddNotesRequest(std::span<const KeptEntry> entries, const NoteTarget& target);
std::string AddNotesRequest(std::span<const KeptEntry> entries, const NoteTarget& target);

// An answer read: the value, or why there is none (AnkiConnect's error, or
// an answer that is not one).
template <typename T>
struct Answer {
  std::optional<T> value;
  std::string error;
};

// deckNames, modelNames, modelFieldNames.
Answer<std::vector<std::string>> ReadNames(std::string_view body);
// canAddNotes for count notes.
Answer<std::vector<bool>> ReadCanAdd(std::string_view body, size_t count);
// addNotes for count notes: each note's id, none for a note not added.
Answer<std::vector<std::optional<int64_t>>> ReadAdded(std::string_view body, size_t count);

struct NoteOutcome {
  enum Kind { kAdded, kDuplicate, kFailed };
  Kind kind = kFailed;
  int64_t noteId = 0;  // kAdded
  std::string error;   // kFailed: Anki's reason
  bool operator==(const NoteOutcome&) const = default;
};

// The outcome of every note: canAdd for all of them, added for those that
// could be added, in their order (as AddNotesRequest of them was sent).
std::vector<NoteOutcome> NoteOutcomes(const std::vector<bool>& canAdd,
                                      const Answer<std::vector<std::optional<int64_t>>>& added);

}  // namespace tavlex::wordbook
