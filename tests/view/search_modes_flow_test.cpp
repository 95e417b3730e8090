// The search flow in the search modes, without a window: which search runs,
// when the inflection search follows, the notices of the index builds and the
// counts that workers post, what the lines beside the results say, and the
// history stepped back and forth.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>
#include <tuple>

#include "resources/resource_ids.h"
#include "tests/support/test_dictionaries.h"
#include "view/search_flow.h"

namespace tavlex {
namespace {

// Records timers; waits for what workers post.
class WaitingHost final : public SearchHost {
 public:
  std::map<int, int> armed;

  void PostCommand(int) override {}
  void SetTimer(int id, int milliseconds) override { armed[id] = milliseconds; }
  void KillTimer(int id) override { armed.erase(id); }
  void PostMessage(int message, intptr_t wParam, intptr_t lParam) override {
    const std::lock_guard lock(mutex_);
    posted_.push_back({message, wParam, lParam});
    arrived_.notify_all();
  }
  // The next message posted of this kind.
  std::tuple<int, intptr_t, intptr_t> Next(int message) {
    std::unique_lock lock(mutex_);
    for (;;) {
      for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (std::get<0>(*it) != message) continue;
        const auto found = *it;
        posted_.erase(it);
        return found;
      }
      arrived_.wait(lock);
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<std::tuple<int, intptr_t, intptr_t>> posted_;
};

class SearchModesFlow : public ::testing::Test {
 protected:
  SearchModesFlow() {
    ::setenv("XDG_CACHE_HOME", (dir_.path() / "cache").c_str(), 1);
    std::vector<dicwriter::Record> records = testing::Words({u"apple", u"grape", u"pineapple", u"tape"});
    records[0].translation = u"りんご\r\nred apple";
    EXPECT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "fruit.dic", records, testing::SmallBlocks(1))));
    set_.at(0).settings().searchMax = 2;
    set_.at(0).settings().english = true;
    flow_ = std::make_unique<SearchFlow>(set_, &host_);
    ViewerOptions options;
    options.conjudelay = 300;
    flow_->SetOptions(options);
  }
  ~SearchModesFlow() override {
    flow_.reset();  // its workers stop before the folder goes
    ::unsetenv("XDG_CACHE_HOME");
  }
  void Mode(SearchMode mode, FieldSet fields = kChoosableFields) {
    flow_->SetSearchOptions({mode, fields, false});
  }
  std::vector<std::u16string> Keys() const {
    std::vector<std::u16string> keys;
    for (const SearchHit& hit : flow_->hits()[0].results.hits) keys.push_back(hit.entry->key);
    return keys;
  }
  // Lets the index builds finish, handing the flow their notices, until it asks for a search again.
  void UntilIndexed() {
    while (flow_->OnNotice(SearchFlow::kIndexNotice, 0, 0) != SearchFlow::Redraw::kSearchAgain) {
      host_.Next(SearchFlow::kIndexNotice);
    }
  }

  testing::TempDir dir_;
  DictionarySet set_;
  WaitingHost host_;
  std::unique_ptr<SearchFlow> flow_;
};

TEST_F(SearchModesFlow, TheModeDecidesTheSearchAndWhetherInflectionsFollow) {
  struct Case {
    SearchMode mode;
    const char16_t* text;
    SearchFlow::Found found;
    bool inflections;
  };
  for (const Case& c : {
           Case{SearchMode::kPrefix, u"app", SearchFlow::Found::kEntries, true},
           Case{SearchMode::kPrefix, u"*ape", SearchFlow::Found::kHits, true},  // a wildcard makes a pattern
           Case{SearchMode::kExact, u"Tape", SearchFlow::Found::kHits, true},
           Case{SearchMode::kSuffix, u"ape", SearchFlow::Found::kHits, false},
           Case{SearchMode::kFullText, u"red", SearchFlow::Found::kHits, false},
       }) {
    Mode(c.mode);
    host_.armed.clear();
    EXPECT_EQ(flow_->Search(c.text), c.found) << static_cast<int>(c.mode);
    EXPECT_EQ(host_.armed.count(ids::kInflectionSearchTimer), c.inflections ? 1u : 0u);
    EXPECT_EQ(flow_->SearchInflected(u"Apple") != SearchFlow::Found::kNothing, c.inflections);
  }
}

TEST_F(SearchModesFlow, AnIndexNeverWaitedForBringsItsHitsAndTheirCountLater) {
  Mode(SearchMode::kSubstring);
  ASSERT_EQ(flow_->Search(u"ap"), SearchFlow::Found::kHits);
  EXPECT_EQ(flow_->hits()[0].results.route, SearchRoute::kIndexPending);
  EXPECT_TRUE(Keys().empty());

  UntilIndexed();
  EXPECT_TRUE(flow_->IndexesUnderWay().empty());
  ASSERT_EQ(flow_->Search(u"ap"), SearchFlow::Found::kHits);
  EXPECT_EQ(flow_->hits()[0].results.route, SearchRoute::kTextIndex);
  EXPECT_EQ(Keys(), (std::vector<std::u16string>{u"apple", u"grape"}));  // the first two of four
  EXPECT_FALSE(flow_->total(0));

  // The count comes from a worker; one posted for an older search is dropped.
  const auto [message, wParam, lParam] = host_.Next(SearchFlow::kCountNotice);
  EXPECT_EQ(flow_->OnNotice(message, wParam + 16, lParam), SearchFlow::Redraw::kNothing);
  EXPECT_EQ(flow_->OnNotice(message, wParam, lParam), SearchFlow::Redraw::kInPlace);
  EXPECT_EQ(flow_->total(0), 4u);

  // Full text finds the word in the second line of the translation, where it is.
  Mode(SearchMode::kFullText, FieldBit(SearchField::kTranslation));
  ASSERT_EQ(flow_->Search(u"RED"), SearchFlow::Found::kHits);
  EXPECT_EQ(flow_->hits()[0].results.hits[0].matches,
            (std::vector<FieldMatch>{{SearchField::kTranslation, 5, 8}}));

  flow_->RemoveIndexes();
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path() / "cache" / "tavlex"));
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
           Case{{{u"a.dic", {State::kReady, 0, 0}}}, std::nullopt},
           Case{{{u"english.dic", {State::kBuilding, 37, 100}}}, u"索引を作成中: english.dic 37%"},
           Case{{{u"a.dic", {State::kQueued, 0, 0}}, {u"b.dic", {State::kBuilding, 1, 3}}},
                u"索引を作成中: b.dic 33%（ほか 1 件）"},
           Case{{{u"a.dic", {State::kLoading, 0, 0}}}, u"索引を準備中: a.dic"},
           Case{{{u"a.dic", {State::kFailed, 0, 0}}}, u"索引を作成できません: a.dic"},
           Case{{{u"a.dic", {State::kBuilding, 0, 0}}}, u"索引を作成中: a.dic 0%"},
       }) {
    EXPECT_EQ(IndexProgressLine(c.indexes), c.line);
  }
}

TEST(ResultLines, EachPartCarriesTheMatchesOfItsField) {
  const std::vector<FieldMatch> matches = {{SearchField::kHeadword, 0, 2},
                                           {SearchField::kDisplay, 1, 3},
                                           {SearchField::kTranslation, 4, 6},
                                           {SearchField::kTranslation, 9, 10}};
  Entry entry;
  entry.key = u"naive";
  entry.display = u"naïve";
  entry.translation = u"simple\r\nnaive";
  const std::vector<EntryPart> parts = EntryParts(entry, DictionarySettings{});
  EXPECT_EQ(MatchesOnPart(parts[0], matches), (std::vector<FieldMatch>{matches[1]}));  // the form shown
  EXPECT_EQ(MatchesOnPart(parts[1], matches), (std::vector<FieldMatch>{matches[2], matches[3]}));
}

TEST(SearchHistory, SteppingBackAndForth) {
  SearchHistory history(3);
  EXPECT_EQ(history.Back(u"typed"), std::nullopt);
  for (const char16_t* word : {u"one", u"two", u"", u"three", u"two", u"four"}) history.Add(word);
  EXPECT_EQ(history.NewestFirst(), (std::vector<std::u16string>{u"four", u"two", u"three"}));  // one fell out

  // From the newest word on show, back steps over it; forward past the newest brings the box's text back.
  EXPECT_EQ(history.Back(u"four"), u"two");
  EXPECT_EQ(history.Back(u"two"), u"three");
  EXPECT_EQ(history.Back(u"three"), std::nullopt);
  history.Add(u"three");  // its results shown again: the place stays
  EXPECT_EQ(history.Forward(), u"two");
  EXPECT_EQ(history.Forward(), u"four");
  EXPECT_EQ(history.Forward(), u"four");  // what the box held
  EXPECT_EQ(history.Forward(), std::nullopt);

  // From a word typed, back gives the newest; a new word ends the stepping.
  EXPECT_EQ(history.Back(u"fiv"), u"four");
  EXPECT_EQ(history.Forward(), u"fiv");
  EXPECT_EQ(history.Back(u"fiv"), u"four");
  history.Add(u"five");
  EXPECT_EQ(history.Forward(), std::nullopt);
  EXPECT_EQ(history.NewestFirst(), (std::vector<std::u16string>{u"five", u"four", u"two"}));
}

}  // namespace
}  // namespace tavlex
