// The search flow in the search modes, without a window: which search runs,
// when the inflection search follows, what the lines beside the results say,
// and the history stepped back and forth.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/support/fake_desktop_folders.h"
#include "tests/support/recording_search_host.h"
#include "tests/support/test_dictionaries.h"
#include "view/search_flow.h"

namespace tavlex {
namespace {

class SearchModesFlow : public ::testing::Test {
 protected:
  SearchModesFlow() {
    const auto records = testing::Words({u"apple", u"grape", u"pineapple", u"tape"});
    EXPECT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "fruit.dic", records, testing::SmallBlocks(1))));
    set_.at(0).settings().english = true;
    settings_.viewer.conjudelay = 300;
    flow_ = std::make_unique<SearchFlow>(set_, &host_, settings_);
  }
  ~SearchModesFlow() override {
    flow_.reset();  // its workers stop before the folder goes
  }
  void Mode(SearchMode mode) { settings_.search = {mode, kChoosableFields, false}; }

  testing::TempDir dir_;
  testing::FakeDesktopFolders folders_{dir_.path()};
  DictionarySet set_;
  testing::RecordingSearchHost host_;
  ViewerSettings settings_;
  std::unique_ptr<SearchFlow> flow_;
};

TEST_F(SearchModesFlow, TheModeDecidesTheSearchAndWhetherInflectionsFollow) {
  struct Case {
    SearchMode mode;
    const char16_t* text;
    SearchFlow::Found found;
    SearchRoute route;  // of a search that found kHits
    bool inflections;
  };
  for (const Case& c : {
           Case{SearchMode::kPrefix, u"app", SearchFlow::Found::kEntries, {}, true},
           // A wildcard makes a pattern; a mode that needs an index never waits for it.
           Case{SearchMode::kPrefix, u"*ape", SearchFlow::Found::kHits, SearchRoute::kIndexPending, true},
           Case{SearchMode::kExact, u"Tape", SearchFlow::Found::kHits, SearchRoute::kSortedIndex, true},
           Case{SearchMode::kSuffix, u"ape", SearchFlow::Found::kHits, SearchRoute::kIndexPending, false},
           Case{SearchMode::kFullText, u"apple", SearchFlow::Found::kHits, SearchRoute::kIndexPending, false},
       }) {
    Mode(c.mode);
    host_.armed.clear();
    EXPECT_EQ(flow_->Search(c.text), c.found) << static_cast<int>(c.mode);
    if (c.found == SearchFlow::Found::kHits) {
      EXPECT_EQ(flow_->hits()[0].results.route, c.route);
    }
    EXPECT_EQ(host_.armed.count(ids::kInflectionSearchTimer), c.inflections ? 1u : 0u);
    EXPECT_EQ(flow_->SearchInflected(u"Apple") != SearchFlow::Found::kNothing, c.inflections);
  }
}

// 文から検索 reads the text as a selected text is read: a group for each start
// that found something, longest first, over the text as it was typed.
TEST_F(SearchModesFlow, TheScanModeGivesGroupsOverTheTextTyped) {
  Mode(SearchMode::kScan);
  struct Case {
    const char16_t* text;
    std::vector<std::pair<std::u16string, std::vector<std::u16string>>> groups;  // covered, keys
  };
  const Case cases[] = {
      {u"  Grapes and apples", {{u"Grapes", {u"grape"}}}},
      {u"pineapple tape", {{u"pineapple", {u"pineapple"}}}},
      {u"\"apples.\"", {{u"apples", {u"apple"}}}},
      {u"pears", {}},
  };
  for (const Case& c : cases) {
    host_.armed.clear();
    ASSERT_EQ(flow_->Search(c.text), SearchFlow::Found::kGroups);
    std::vector<std::pair<std::u16string, std::vector<std::u16string>>> got;
    for (const ScanGroup& group : flow_->groups()) {
      auto& [covered, keys] = got.emplace_back();
      covered = flow_->scannedText().substr(group.begin, group.end - group.begin);
      for (const ScanHit& hit : group.hits) keys.push_back(hit.entry->key);
    }
    EXPECT_EQ(got, c.groups);
    // Neither an inflection search nor a count follows; a text that found
    // something goes into the history in time.
    EXPECT_EQ(host_.armed.count(ids::kInflectionSearchTimer), 0u);
    EXPECT_EQ(host_.armed.count(ids::kHistoryTimer), c.groups.empty() ? 0u : 1u);
  }
  EXPECT_EQ(flow_->SearchInflected(u"apples"), SearchFlow::Found::kNothing);
  EXPECT_EQ(flow_->Search(u"   "), SearchFlow::Found::kNothing);
}

TEST(ResultLines, CountsAndProgress) {
  EXPECT_EQ(MoreHitsLine(1), u"… 他 1 件");
  EXPECT_EQ(MoreHitsLine(4110), u"… 他 4,110 件");
  EXPECT_EQ(MoreHitsLine(1234567), u"… 他 1,234,567 件");

  using State = TextIndexes::State;
  struct Case {
    std::vector<IndexProgress> indexes;
    std::optional<std::u16string> line;
  };
  for (const Case& c : {
           Case{{}, std::nullopt},
           Case{{{u"english.dic", {State::kBuilding, 37, 100}}}, u"索引を作成中: english.dic 37%"},
           Case{{{u"a.dic", {State::kQueued, 0, 0}}, {u"b.dic", {State::kBuilding, 1, 3}}},
                u"索引を作成中: b.dic 33%（ほか 1 件）"},
           Case{{{u"a.dic", {State::kLoading, 0, 0}}}, u"索引を準備中: a.dic"},
           Case{{{u"a.dic", {State::kFailed, 0, 0}}}, u"索引を作成できません: a.dic"},
           Case{{{u"a.dic", {State::kReady, 3, 3}}}, std::nullopt},
           Case{{{u"a.dic", {State::kReady, 3, 3, std::make_error_code(std::errc::no_space_on_device)}}},
                u"索引を保存できません: a.dic（No space left on device）"},
       }) {
    EXPECT_EQ(IndexProgressLine(c.indexes), c.line);
  }
}

// A match in a field the dictionary does not show is shown by its line, named.
TEST(ResultLines, HiddenFieldsShowTheirMatchingLines) {
  using F = SearchField;
  Entry entry;
  entry.key = u"apple";
  entry.translation = u"りんご";
  entry.pronunciation = u"ˈæpəl";
  entry.example = u"An apple a day.\r\nThe apple tree.\r\nNone.";  // lines at 0, 17 and 34
  Entry shownAs = entry;
  shownAs.display = u"Apple (fruit)";
  DictionarySettings hidden;
  hidden.showSample = false;
  hidden.showPhonetic = false;
  DictionarySettings shown;
  shown.showSample = true;
  shown.showPhonetic = true;
  struct Case {
    const Entry* entry;
    const DictionarySettings* settings;
    std::vector<FieldMatch> matches;
    std::vector<HiddenMatchLine> lines;
  };
  // "用例: " and "見出し語: " put 4 and 6 units before the line.
  const Case cases[] = {
      {&entry,
       &hidden,
       {{F::kExample, 3, 8}},
       {{F::kExample, u"用例: An apple a day.", {{F::kExample, 7, 12}}}}},
      // two lines of one field, and two matches on one line
      {&entry,
       &hidden,
       {{F::kExample, 3, 8}, {F::kExample, 21, 26}, {F::kExample, 10, 13}},
       {{F::kExample, u"用例: An apple a day.", {{F::kExample, 7, 12}, {F::kExample, 14, 17}}},
        {F::kExample, u"用例: The apple tree.", {{F::kExample, 8, 13}}}}},
      // a match that runs over a line break is marked to the line's end
      {&entry,
       &hidden,
       {{F::kExample, 11, 20}},
       {{F::kExample, u"用例: An apple a day.", {{F::kExample, 15, 19}}}}},
      {&entry,
       &hidden,
       {{F::kPronunciation, 0, 2}},
       {{F::kPronunciation, u"発音記号: ˈæpəl", {{F::kPronunciation, 6, 8}}}}},
      {&shownAs,
       &hidden,
       {{F::kHeadword, 0, 5}},
       {{F::kHeadword, u"見出し語: apple", {{F::kHeadword, 6, 11}}}}},
      // shown fields, and matches that do not fit the text, add nothing
      {&entry, &shown, {{F::kExample, 3, 8}, {F::kPronunciation, 0, 2}}, {}},
      {&entry, &hidden, {{F::kTranslation, 0, 3}, {F::kHeadword, 0, 5}}, {}},
      {&entry, &hidden, {{F::kExample, 30, 60}, {F::kExample, 5, 5}, {F::kExample, 15, 16}}, {}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(HiddenMatchLines(*c.entry, EntryParts(*c.entry, *c.settings), c.matches), c.lines) << i;
  }
}

// The words of entries, and the word of a step.
std::vector<std::u16string> Words(const std::vector<HistoryEntry>& entries) {
  std::vector<std::u16string> words;
  for (const HistoryEntry& entry : entries) words.push_back(entry.word);
  return words;
}
std::optional<std::u16string> Word(const std::optional<HistoryEntry>& entry) {
  return entry ? std::optional(entry->word) : std::nullopt;
}

TEST(SearchHistory, SteppingBackAndForth) {
  SearchHistory history(3);
  EXPECT_EQ(history.Back({u"typed"}), std::nullopt);
  for (const char16_t* word : {u"one", u"two", u"", u"three", u"two", u"four"}) history.Add({word});
  EXPECT_EQ(Words(history.NewestFirst()),
            (std::vector<std::u16string>{u"four", u"two", u"three"}));  // one fell out

  // From the newest word on show, back steps over it; forward past the newest brings the box's text back.
  EXPECT_EQ(Word(history.Back({u"four"})), u"two");
  EXPECT_EQ(Word(history.Back({u"two"})), u"three");
  EXPECT_EQ(history.Back({u"three"}), std::nullopt);
  history.Add({u"three"});  // its results shown again: the place stays
  EXPECT_EQ(Word(history.Forward()), u"two");
  EXPECT_EQ(Word(history.Forward()), u"four");
  EXPECT_EQ(Word(history.Forward()), u"four");  // what the box held
  EXPECT_EQ(history.Forward(), std::nullopt);

  // From a word typed, back gives the newest; a new word ends the stepping.
  EXPECT_EQ(Word(history.Back({u"fiv"})), u"four");
  history.Add({u"five"});
  EXPECT_EQ(history.Forward(), std::nullopt);
  EXPECT_EQ(Words(history.NewestFirst()), (std::vector<std::u16string>{u"five", u"four", u"two"}));
}

// Stepped back to a word and left it for a look-up of a selection: stepping
// back from the look-up brings that word, whether or not the look-up found
// anything (and so went in itself).
TEST(SearchHistory, SteppingBackFromALookUpBringsTheWordItLeft) {
  const std::vector<std::u16string> words = {u"one", u"two", u"three"};
  struct Case {
    size_t stepsBack;  // from the newest word on show, before the look-up
    bool found;
  };
  for (const Case& c : {Case{0, true}, Case{1, true}, Case{2, true}, Case{0, false}, Case{1, false}}) {
    SCOPED_TRACE(::testing::Message() << c.stepsBack << " back, found " << c.found);
    SearchHistory history(5);
    for (const std::u16string& word : words) history.Add({word});
    std::u16string shown = words.back();
    for (size_t i = 0; i < c.stepsBack; ++i) shown = history.Back({shown}).value().word;
    const std::u16string& left = words[words.size() - 1 - c.stepsBack];
    ASSERT_EQ(shown, left);
    history.Leave({shown});
    if (c.found) history.Add({u"looked up"});
    EXPECT_EQ(Word(history.Back({u"looked up"})), left);
  }
}

TEST(SearchHistory, AnAdditionSaysWhetherTheListChanged) {
  const HistoryEntry go{u"go"}, goFull{u"go", SearchMode::kFullText, FieldBit(SearchField::kExample)};
  const HistoryEntry run{u"run", SearchMode::kSuffix};
  struct Case {
    std::vector<HistoryEntry> before;  // newest first
    HistoryEntry added;
    bool changed;
  };
  for (const Case& c : {
           Case{{}, go, true},
           Case{{}, {u""}, false},
           Case{{go}, go, false},      // the newest again
           Case{{go}, goFull, true},   // the same word in another mode takes its place
           Case{{run, go}, go, true},  // moves to the newest place
           Case{{goFull, run}, goFull, false},
       }) {
    SearchHistory history(3);
    history.SetNewestFirst(c.before);
    // The model: the word leaves its place and comes in newest, in its own mode.
    std::vector<HistoryEntry> expected;
    if (!c.added.word.empty()) expected.push_back(c.added);
    for (const HistoryEntry& e : c.before) {
      if (e.word != c.added.word) expected.push_back(e);
    }
    EXPECT_EQ(history.Add(c.added), c.changed);
    EXPECT_EQ(history.NewestFirst(), expected);
  }
}

TEST(SearchHistory, StepsBringTheirModesAndTheBoxItsOwn) {
  const HistoryEntry full{u"river bank", SearchMode::kFullText, FieldBit(SearchField::kTranslation)};
  const HistoryEntry exact{u"go", SearchMode::kExact};
  SearchHistory history(5);
  history.Add(full);
  history.Add(exact);
  const HistoryEntry typed{u"sub", SearchMode::kSubstring, kChoosableFields};
  EXPECT_EQ(history.Back(typed), exact);
  EXPECT_EQ(history.Back(exact), full);
  EXPECT_EQ(history.Forward(), exact);
  EXPECT_EQ(history.Forward(), typed);
}

}  // namespace
}  // namespace tavlex
