#include "view/anki_sending.h"

#include <algorithm>

#include "base/utf8.h"
#include "settings/ini_file.h"

namespace tavlex {
namespace {

using wordbook::KeptField;

constexpr std::u16string_view kSection = u"anki";
constexpr std::u16string_view kDeckKey = u"deck";
constexpr std::u16string_view kNoteTypeKey = u"notetype";
constexpr std::u16string_view kFieldsKey = u"fields";
// Where nothing was chosen before: Anki's own deck and note type.
constexpr std::string_view kFirstDeck = "Default";
constexpr std::string_view kFirstNoteType = "Basic";
// Every note sent carries it, as the Anki text export's do.
constexpr std::string_view kTag = "tavlex";

// remembered when names holds it, else preferred when it does, else the first name.
std::string Pick(const std::vector<std::string>& names, const std::string& remembered,
                 std::string_view preferred) {
  for (const std::string_view wanted : {std::string_view(remembered), preferred}) {
    if (std::find(names.begin(), names.end(), wanted) != names.end()) return std::string(wanted);
  }
  return names.empty() ? std::string() : names.front();
}

}  // namespace

AnkiChoice LoadAnkiChoice(const IniFile& settings) {
  AnkiChoice choice;
  const std::u16string section(kSection);
  choice.deck = Utf16ToUtf8(settings.GetString(section, std::u16string(kDeckKey)));
  choice.noteType = Utf16ToUtf8(settings.GetString(section, std::u16string(kNoteTypeKey)));
  const std::string fields = Utf16ToUtf8(settings.GetString(section, std::u16string(kFieldsKey)));
  if (fields.empty()) return choice;
  for (size_t start = 0; start <= fields.size();) {
    const size_t comma = std::min(fields.find(',', start), fields.size());
    choice.fields.push_back(wordbook::FieldNamed(std::string_view(fields).substr(start, comma - start)));
    start = comma + 1;
  }
  return choice;
}

void SaveAnkiChoice(const AnkiChoice& choice, IniFile& settings) {
  const std::u16string deck = Utf8ToUtf16(choice.deck);
  const std::u16string noteType = Utf8ToUtf16(choice.noteType);
  if (!IniFile::CanHoldValue(deck) || !IniFile::CanHoldValue(noteType)) return;
  std::string fields;
  for (size_t i = 0; i < choice.fields.size(); ++i) {
    if (i > 0) fields += ',';
    if (choice.fields[i]) fields += wordbook::FieldName(*choice.fields[i]);
  }
  const std::u16string section(kSection);
  settings.SetString(section, std::u16string(kDeckKey), deck);
  settings.SetString(section, std::u16string(kNoteTypeKey), noteType);
  settings.SetString(section, std::u16string(kFieldsKey), Utf8ToUtf16(fields));
}

AnkiSending::AnkiSending(platform::AnkiConnectTransport& transport, std::vector<wordbook::KeptEntry> entries,
                         AnkiChoice remembered, std::function<void()> changed)
    : transport_(transport),
      entries_(std::move(entries)),
      remembered_(std::move(remembered)),
      changed_(std::move(changed)) {}

void AnkiSending::Ask(const std::string& body, std::function<void(const std::string&)> read) {
  transport_.Post(body, [this, alive = std::weak_ptr<int>(alive_),
                         read = std::move(read)](const platform::AnkiConnectReply& reply) {
    if (alive.expired()) return;
    if (reply.outcome == platform::AnkiConnectReply::kAnswered) {
      read(reply.body);
    } else {
      Fail(platform::DescribeFailure(reply, wordbook::kAnkiConnectPort),
           reply.outcome == platform::AnkiConnectReply::kNotRunning);
    }
    if (changed_) changed_();
  });
}

void AnkiSending::Fail(std::string detail, bool notRunning) {
  stage_ = Stage::kFailed;
  failure_ = {notRunning, std::move(detail)};
}

void AnkiSending::Start() {
  stage_ = Stage::kAsking;
  Ask(wordbook::DeckNamesRequest(), [this](const std::string& body) {
    wordbook::Answer<std::vector<std::string>> decks = wordbook::ReadNames(body);
    if (!decks.value) return Fail(decks.error);
    decks_ = std::move(*decks.value);
    choice_.deck = Pick(decks_, remembered_.deck, kFirstDeck);
    AskNoteTypes();
  });
}

void AnkiSending::AskNoteTypes() {
  Ask(wordbook::ModelNamesRequest(), [this](const std::string& body) {
    wordbook::Answer<std::vector<std::string>> types = wordbook::ReadNames(body);
    if (!types.value) return Fail(types.error);
    noteTypes_ = std::move(*types.value);
    if (noteTypes_.empty()) return Fail("Anki has no note type");
    choice_.noteType = Pick(noteTypes_, remembered_.noteType, kFirstNoteType);
    AskFields();
  });
}

void AnkiSending::AskFields() {
  stage_ = Stage::kAsking;
  Ask(wordbook::ModelFieldNamesRequest(choice_.noteType), [this](const std::string& body) {
    wordbook::Answer<std::vector<std::string>> fields = wordbook::ReadNames(body);
    if (!fields.value) return Fail(fields.error);
    noteFields_ = std::move(*fields.value);
    choice_.fields.clear();
    if (choice_.noteType == remembered_.noteType && remembered_.fields.size() == noteFields_.size()) {
      choice_.fields = remembered_.fields;
    } else {
      for (const wordbook::FieldMapping::Pair& pair : wordbook::DefaultMapping(noteFields_).fields) {
        choice_.fields.push_back(pair.from);
      }
    }
    stage_ = Stage::kReady;
  });
}

void AnkiSending::ChooseDeck(const std::string& deck) { choice_.deck = deck; }

void AnkiSending::ChooseNoteType(const std::string& noteType) {
  if (noteType == choice_.noteType && stage_ == Stage::kReady) return;
  choice_.noteType = noteType;
  noteFields_.clear();
  AskFields();
}

void AnkiSending::MapField(size_t noteField, std::optional<KeptField> from) {
  if (noteField < choice_.fields.size()) choice_.fields[noteField] = from;
}

void AnkiSending::Send() {
  if (stage_ != Stage::kReady || entries_.empty()) return;
  stage_ = Stage::kSending;
  wordbook::NoteTarget target{choice_.deck, choice_.noteType, {}, {std::string(kTag)}};
  for (size_t i = 0; i < noteFields_.size(); ++i)
    target.mapping.fields.push_back({noteFields_[i], choice_.fields[i]});
  Ask(wordbook::CanAddNotesRequest(entries_, target), [this, target](const std::string& body) {
    const wordbook::Answer<std::vector<bool>> canAdd = wordbook::ReadCanAdd(body, entries_.size());
    if (!canAdd.value) return Fail(canAdd.error);
    std::vector<wordbook::KeptEntry> addable;
    for (size_t i = 0; i < entries_.size(); ++i) {
      if ((*canAdd.value)[i]) addable.push_back(entries_[i]);
    }
    if (addable.empty()) return Added(*canAdd.value, {}, 0);
    const std::vector<bool> can = *canAdd.value;
    Ask(wordbook::AddNotesRequest(addable, target),
        [this, can, count = addable.size()](const std::string& added) { Added(can, added, count); });
  });
}

void AnkiSending::Added(const std::vector<bool>& canAdd, const std::string& body, size_t sentCount) {
  wordbook::Answer<std::vector<std::optional<int64_t>>> added;
  if (sentCount > 0) {
    added = wordbook::ReadAdded(body, sentCount);
  } else {
    added.value.emplace();
  }
  sent_ = {};
  for (const wordbook::NoteOutcome& outcome : wordbook::NoteOutcomes(canAdd, added)) {
    switch (outcome.kind) {
      case wordbook::NoteOutcome::kAdded:
        ++sent_.added;
        break;
      case wordbook::NoteOutcome::kDuplicate:
        ++sent_.duplicates;
        break;
      case wordbook::NoteOutcome::kFailed:
        if (sent_.failed++ == 0) sent_.firstError = outcome.error;
        break;
    }
  }
  stage_ = Stage::kSent;
}

}  // namespace tavlex
