// The AnkiConnect requests as AnkiConnect reads them, the first mapping of a
// note type's fields, and its answers read, duplicates note by note.
#include "wordbook/anki_connect.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/wordbook/kept_samples.h"

namespace tavlex::wordbook {
namespace {

using nlohmann::json;
using testing::Kept;

TEST(AnkiConnect, RequestsCarryTheVersionAndNotesTheirMappedFieldsInHtml) {
  EXPECT_EQ(json::parse(DeckNamesRequest()), json::parse(R"({"action":"deckNames","version":6})"));
  EXPECT_EQ(json::parse(ModelNamesRequest()), json::parse(R"({"action":"modelNames","version":6})"));
  EXPECT_EQ(json::parse(ModelFieldNamesRequest("基本")),
            json::parse(R"({"action":"modelFieldNames","version":6,"params":{"modelName":"基本"}})"));

  const KeptEntry entry = Kept(
      {.headword = u"go", .translation = u"行く\r\n<去る>", .source = u"He went.", .begin = 3, .end = 7});
  const NoteTarget target{"Words",
                          "Basic",
                          {{{"Front", KeptField::kHeadword},
                            {"Back", KeptField::kTranslation},
                            {"Context", KeptField::kSource},
                            {"Notes", std::nullopt}}},
                          {"tavlex", "verbs"}};
  const json note = json::parse(R"({
    "deckName": "Words", "modelName": "Basic",
    "fields": {"Front": "go", "Back": "行く<br>&lt;去る&gt;", "Context": "He <b>went</b>.", "Notes": ""},
    "tags": ["tavlex", "verbs"],
    "options": {"allowDuplicate": false, "duplicateScope": "deck"}})");
  EXPECT_EQ(json::parse(AddNotesRequest(std::vector{entry, entry}, target)),
            (json{{"action", "addNotes"}, {"version", 6}, {"params", {{"notes", {note, note}}}}}));
  EXPECT_EQ(json::parse(CanAddNotesRequest(std::vector{entry}, target))["action"], "canAddNotes");
}

TEST(AnkiConnect, AFirstMappingTakesFieldsByTheirNames) {
  using Pairs = std::vector<FieldMapping::Pair>;
  struct Case {
    std::vector<std::string> fields;
    Pairs mapping;
  };
  const Case cases[] = {
      {{"Front", "Back"}, {{"Front", KeptField::kHeadword}, {"Back", KeptField::kTranslation}}},
      {{"表面", "裏面"}, {{"表面", KeptField::kHeadword}, {"裏面", std::nullopt}}},
      {{"Notes", "WORD", "Reading", "sentence", "Source", "dictionary"},
       {{"Notes", std::nullopt},
        {"WORD", KeptField::kHeadword},
        {"Reading", KeptField::kPronunciation},
        {"sentence", KeptField::kExample},
        {"Source", KeptField::kSource},
        {"dictionary", KeptField::kDictionary}}},
      {{}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(DefaultMapping(c.fields).fields, c.mapping) << c.fields.size();
}

TEST(AnkiConnect, AnswersAreReadOrRefusedWithTheirReason) {
  struct Case {
    const char* body;
    std::optional<std::vector<std::string>> names;
    std::string error;
  };
  const std::string misfit = "an answer of AnkiConnect that does not fit the request";
  const Case cases[] = {
      {R"({"result":["Default","単語"],"error":null})", std::vector<std::string>{"Default", "単語"}, ""},
      {R"({"result":null,"error":"model was not found: X"})", std::nullopt, "model was not found: X"},
      {R"({"result":[1,2],"error":null})", std::nullopt, misfit},
      {R"({"error":null})", std::nullopt, "not an answer of AnkiConnect"},
      {"<html>proxy</html>", std::nullopt, "not an answer of AnkiConnect"},
      {R"([[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[)", std::nullopt, "not an answer of AnkiConnect"},
  };
  for (const Case& c : cases) {
    const Answer<std::vector<std::string>> read = ReadNames(c.body);
    EXPECT_EQ(read.value, c.names) << c.body;
    EXPECT_EQ(read.error, c.error) << c.body;
  }
  EXPECT_EQ(ReadCanAdd(R"({"result":[true,false],"error":null})", 2).value, (std::vector{true, false}));
  EXPECT_EQ(ReadCanAdd(R"({"result":[true],"error":null})", 2).error, misfit);
  EXPECT_EQ(ReadAdded(R"({"result":[17,null],"error":null})", 2).value,
            (std::vector<std::optional<int64_t>>{17, std::nullopt}));
}

TEST(AnkiConnect, EachNoteIsToldAddedDuplicateOrFailed) {
  using Added = Answer<std::vector<std::optional<int64_t>>>;
  const std::vector<bool> canAdd = {true, false, true, true};
  EXPECT_EQ(NoteOutcomes(canAdd, Added{std::vector<std::optional<int64_t>>{5, std::nullopt, 6}, ""}),
            (std::vector<NoteOutcome>{{NoteOutcome::kAdded, 5, ""},
                                      {NoteOutcome::kDuplicate, 0, ""},
                                      {NoteOutcome::kFailed, 0, "not added by Anki"},
                                      {NoteOutcome::kAdded, 6, ""}}));
  EXPECT_EQ(NoteOutcomes({false, true}, Added{std::nullopt, "['cannot create note']"}),
            (std::vector<NoteOutcome>{{NoteOutcome::kDuplicate, 0, ""},
                                      {NoteOutcome::kFailed, 0, "['cannot create note']"}}));
}

}  // namespace
}  // namespace tavlex::wordbook
