// Sending kept entries to Anki as the dialog does, against a small
// AnkiConnect of the test's own on the loopback address: the deck, note type
// and fields remembered or chosen anew, the notes that go (only those Anki
// would take), duplicates and refusals counted, and Anki not running told
// apart. The choice as the settings file keeps it.
#include "view/anki_sending.h"

#include <gtest/gtest.h>

#include <QTest>
#include <fstream>
#include <tuple>

#include "settings/ini_file.h"
#include "tests/support/fake_anki.h"
#include "tests/support/temp_dir.h"
#include "tests/wordbook/kept_samples.h"

namespace tavlex {
namespace {

using testing::FakeAnki;
using Json = FakeAnki::Json;
using wordbook::KeptField;

// Waits until the sending is no longer waiting for an answer.
void Settle(const AnkiSending& sending) {
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return sending.stage() != AnkiSending::Stage::kAsking &&
               sending.stage() != AnkiSending::Stage::kSending;
      },
      10'000));
}

std::vector<wordbook::KeptEntry> Entries() {
  return {testing::Kept({.headword = u"take care of",
                         .translation = u"世話をする",
                         .source = u"She took care of it.",
                         .begin = 4,
                         .end = 16}),
          testing::Kept({.headword = u"go", .translation = u"行く"}),
          testing::Kept({.headword = u"a<b", .translation = u"x\r\ny"})};
}

const std::map<std::string, Json> kAnki = {
    {"deckNames", {"Default", "英語"}},
    {"modelNames", {"Basic", "Cloze"}},
    {"canAddNotes", {true, false, true}},
    {"addNotes", {111, nullptr}},
};

// The remembered deck, note type and fields where Anki still has them; only
// the notes Anki would take go, and the rest are counted.
TEST(AnkiSending, SendsTheNotesAnkiWouldTakeWithTheRememberedFieldsAndCountsTheRest) {
  std::map<std::string, Json> results = kAnki;
  results["modelFieldNames"] = {"Front", "Back"};
  FakeAnki anki(results);
  platform::AnkiConnectClient client(anki.port());
  const AnkiChoice remembered{"英語", "Basic", {KeptField::kHeadword, KeptField::kSource}};
  AnkiSending sending(client, Entries(), remembered, nullptr);
  sending.Start();
  Settle(sending);
  ASSERT_EQ(sending.stage(), AnkiSending::Stage::kReady) << sending.failure().detail;
  EXPECT_EQ(sending.choice(), remembered);

  sending.Send();
  Settle(sending);
  ASSERT_EQ(sending.stage(), AnkiSending::Stage::kSent) << sending.failure().detail;
  EXPECT_EQ((std::tuple{sending.sent().added, sending.sent().duplicates, sending.sent().failed}),
            (std::tuple{1u, 1u, 1u}));
  EXPECT_EQ(sending.sent().firstError, "not added by Anki");
  // All three were asked about; the two Anki would take were sent.
  ASSERT_EQ(anki.requests().size(), 5u);
  EXPECT_EQ(anki.requests()[3]["params"]["notes"].size(), 3u);
  const Json& notes = anki.requests()[4]["params"]["notes"];
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0]["fields"]["Front"], "take care of");
  EXPECT_EQ(notes[1]["fields"]["Front"], "a&lt;b");
}

TEST(AnkiSending, AnotherNoteTypeGetsAFirstMappingAndTheChoiceCanChangeIt) {
  struct Case {
    Json fields;  // the note type's, as Anki answers
    AnkiChoice remembered;
    std::vector<std::optional<KeptField>> mapped;
  };
  const Case cases[] = {
      // Remembered for another note type: a first mapping by the fields' names.
      {{"Word", "Meaning", "Reading", "Notes"},
       {"Default", "Vocabulary", {KeptField::kSource}},
       {KeptField::kHeadword, KeptField::kTranslation, KeptField::kPronunciation, std::nullopt}},
      // Remembered for this one, but it has other fields now.
      {{"Text", "Extra"}, {"Default", "Basic", {KeptField::kSource}}, {KeptField::kHeadword, std::nullopt}},
  };
  for (const Case& c : cases) {
    std::map<std::string, Json> results = kAnki;
    results["modelFieldNames"] = c.fields;
    FakeAnki anki(results);
    platform::AnkiConnectClient client(anki.port());
    AnkiSending sending(client, Entries(), c.remembered, nullptr);
    sending.Start();
    Settle(sending);
    ASSERT_EQ(sending.stage(), AnkiSending::Stage::kReady) << sending.failure().detail;
    EXPECT_EQ(sending.choice().noteType, "Basic") << "a remembered note type Anki does not have: Basic";
    EXPECT_EQ(sending.choice().fields, c.mapped);
    sending.MapField(1, KeptField::kExample);
    sending.MapField(9, KeptField::kExample);  // beyond the fields: nothing
    std::vector<std::optional<KeptField>> changed = c.mapped;
    changed[1] = KeptField::kExample;
    EXPECT_EQ(sending.choice().fields, changed);
  }
}

// (Anki not running is told in the dialog's test.)
TEST(AnkiSending, AnAnkiThatRefusesIsToldAndALateAnswerDropped) {
  // An Anki without modelNames: its error.
  FakeAnki refusing(std::map<std::string, Json>{{"deckNames", Json::array({"Default"})}});
  platform::AnkiConnectClient client(refusing.port());
  AnkiSending refused(client, Entries(), {}, nullptr);
  refused.Start();
  Settle(refused);
  EXPECT_EQ(refused.stage(), AnkiSending::Stage::kFailed);
  EXPECT_FALSE(refused.failure().notRunning);
  EXPECT_EQ(refused.failure().detail, "unsupported action");

  // Gone before the answer: the answer is dropped.
  FakeAnki anki(kAnki);
  platform::AnkiConnectClient later(anki.port());
  bool called = false;
  auto gone = std::make_unique<AnkiSending>(later, Entries(), AnkiChoice{}, [&] { called = true; });
  gone->Start();
  gone.reset();
  QTest::qWait(200);
  EXPECT_FALSE(called);
}

TEST(AnkiChoiceSettings, TheChoiceIsKeptInTheSettingsFileWhereItCanBe) {
  struct Case {
    AnkiChoice saved;
    AnkiChoice loaded;
  };
  const Case cases[] = {
      {{"英語", "Basic", {KeptField::kHeadword, std::nullopt, KeptField::kSource}},
       {"英語", "Basic", {KeptField::kHeadword, std::nullopt, KeptField::kSource}}},
      {{"Default", "Basic (and reversed card)", {}}, {"Default", "Basic (and reversed card)", {}}},
      // A name the file cannot hold leaves the last choice.
      {{"a;b", "Basic", {KeptField::kExample}}, {"Default", "Basic (and reversed card)", {}}},
  };
  testing::TempDir dir;
  IniFile settings;
  settings.LoadPath(dir.path() / "tavlex.ini");
  EXPECT_EQ(LoadAnkiChoice(settings), AnkiChoice{});
  for (const Case& c : cases) {
    SaveAnkiChoice(c.saved, settings);
    ASSERT_TRUE(settings.Save());
    IniFile reread;
    reread.LoadPath(dir.path() / "tavlex.ini");
    EXPECT_EQ(LoadAnkiChoice(reread), c.loaded) << c.saved.deck;
  }
  // Field names that are not ours, from a hand-edited file, fill nothing.
  std::ofstream(dir.path() / "other.ini") << "[anki]\nfields=Headword,Nonsense,,Source\n";
  IniFile edited;
  edited.LoadPath(dir.path() / "other.ini");
  EXPECT_EQ(LoadAnkiChoice(edited).fields,
            (std::vector<std::optional<KeptField>>{KeptField::kHeadword, std::nullopt, std::nullopt,
                                                   KeptField::kSource}));
}

}  // namespace
}  // namespace tavlex
