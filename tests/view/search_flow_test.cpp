// The search flow without a window: what a change of the text and each timer
// lead to, recorded by a host that stands in for the view; and the sequence of
// one search over a real set.
#include "view/search_flow.h"

#include <gtest/gtest.h>

#include <map>

#include "resources/resource_ids.h"
#include "tests/support/recording_search_host.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

using RecordingHost = testing::RecordingSearchHost;

ViewerOptions Options(bool incresearch, int delay, int conjudelay) {
  ViewerOptions options;
  options.incresearch = incresearch;
  options.delay = delay;
  options.conjudelay = conjudelay;
  return options;
}

TEST(SearchFlowTiming, ChangesAndTimersFollowTheOptions) {
  RecordingHost host;
  DictionarySet set;
  ViewerSettings settings;
  SearchFlow flow(set, &host, settings);

  settings.viewer = Options(false, 300, 500);
  flow.OnTextChanged();
  EXPECT_TRUE(host.posted.empty());
  EXPECT_TRUE(host.armed.empty());

  // Delay 0: a search at once, and a pending inflection search is left armed.
  settings.viewer = Options(true, 0, 500);
  host.armed[ids::kInflectionSearchTimer] = 500;
  flow.OnTextChanged();
  EXPECT_EQ(host.posted, (std::vector<int>{ids::kSearch}));
  EXPECT_EQ(host.armed.count(ids::kInflectionSearchTimer), 1u);
  EXPECT_EQ(host.kills, 0);

  // A delay: both timers killed, the incremental one armed again from now.
  settings.viewer = Options(true, 300, 500);
  host.posted.clear();
  flow.OnTextChanged();
  EXPECT_TRUE(host.posted.empty());
  EXPECT_EQ(host.armed, (std::map<int, int>{{ids::kIncrementalSearchTimer, 300}}));

  flow.OnTimer(ids::kIncrementalSearchTimer);
  EXPECT_EQ(host.posted, (std::vector<int>{ids::kSearch}));
  EXPECT_TRUE(host.armed.empty());

  host.armed[ids::kInflectionSearchTimer] = 500;
  flow.OnTimer(ids::kInflectionSearchTimer);
  EXPECT_EQ(host.posted, (std::vector<int>{ids::kSearch, ids::kInflectionSearch}));
  EXPECT_TRUE(host.armed.empty());

  flow.OnTimer(4242);  // not ours
  EXPECT_EQ(host.posted.size(), 2u);
}

// What happens around an input method's composition, and what it held back.
enum class Step { kChange, kIncrementalDue, kInflectionDue, kSearch, kInflect };

// What the step found; nothing for the steps that search nothing themselves.
SearchFlow::Found Do(SearchFlow& flow, Step step) {
  switch (step) {
    case Step::kChange:
      flow.OnTextChanged();
      break;
    case Step::kIncrementalDue:
      flow.OnTimer(ids::kIncrementalSearchTimer);
      break;
    case Step::kInflectionDue:
      flow.OnTimer(ids::kInflectionSearchTimer);
      break;
    case Step::kSearch:
      return flow.Search(u"go");
    case Step::kInflect:
      return flow.SearchInflected(u"go");
  }
  return SearchFlow::Found::kNothing;
}

TEST(SearchFlowComposing, NothingIsSearchedUntilTheCompositionEndsThenOnce) {
  constexpr int kIncremental = ids::kIncrementalSearchTimer;
  constexpr int kInflection = ids::kInflectionSearchTimer;
  struct Case {
    const char* name;
    ViewerOptions options;
    std::vector<Step> before;  // before the composition begins
    std::vector<Step> during;
    std::vector<int> posted;   // after it ends
    std::map<int, int> armed;  // after it ends
  };
  const std::vector<Case> cases = {
      {"a commit searches at once", Options(true, 0, 400), {}, {Step::kChange}, {ids::kSearch}, {}},
      {"a commit restarts the delay",
       Options(true, 300, 400),
       {},
       {Step::kChange},
       {},
       {{kIncremental, 300}}},
      {"two changes search once",
       Options(true, 0, 0),
       {},
       {Step::kChange, Step::kChange},
       {ids::kSearch},
       {}},
      {"a cancel leaves things as they were", Options(true, 0, 0), {}, {}, {}, {}},
      {"the incremental search off", Options(false, 0, 400), {}, {Step::kChange}, {}, {}},
      {"a delay under way comes back", Options(true, 300, 0), {Step::kChange}, {}, {}, {{kIncremental, 300}}},
      {"its timer fired meanwhile",
       Options(true, 300, 0),
       {Step::kChange},
       {Step::kIncrementalDue},
       {},
       {{kIncremental, 300}}},
      {"a pending inflection comes back",
       Options(true, 300, 400),
       {Step::kSearch},
       {},
       {},
       {{kInflection, 400}}},
      {"and yields to a commit",
       Options(true, 300, 400),
       {Step::kSearch},
       {Step::kChange},
       {},
       {{kIncremental, 300}}},
      {"an inflection command is held",
       Options(true, 0, 400),
       {},
       {Step::kInflect},
       {},
       {{kInflection, 400}}},
      {"a search command is held", Options(false, 0, 400), {}, {Step::kSearch}, {ids::kSearch}, {}},
      {"and covers the change",
       Options(true, 300, 400),
       {},
       {Step::kChange, Step::kSearch, Step::kInflectionDue},
       {ids::kSearch},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingHost host;
    DictionarySet set;
    const ViewerSettings settings{c.options, {}};
    SearchFlow flow(set, &host, settings);
    for (Step step : c.before) Do(flow, step);
    host.posted.clear();

    flow.OnComposing(true);
    EXPECT_EQ(host.armed.count(kIncremental) + host.armed.count(kInflection), 0u);
    for (Step step : c.during) EXPECT_EQ(Do(flow, step), SearchFlow::Found::kNothing);
    EXPECT_TRUE(host.posted.empty());
    EXPECT_EQ(host.armed.count(kIncremental) + host.armed.count(kInflection), 0u);
    flow.OnComposing(false);
    EXPECT_EQ(host.posted, c.posted);
    host.armed.erase(ids::kHistoryTimer);
    EXPECT_EQ(host.armed, c.armed);
  }
}

class SearchFlowSequence : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "a.dic", testing::Words({u"apple", u"go"}))));
    ASSERT_TRUE(set_.Open(testing::WriteTestDictionary(dir_, "b.dic", testing::Words({u"go", u"going"}))));
    set_.at(0).settings().english = true;
    settings_.viewer = Options(true, 0, 400);
  }
  std::vector<std::u16string> Shown() const {
    std::vector<std::u16string> keys;
    for (const EntryRef& entry : flow_.entries()) keys.push_back(entry->translation);
    return keys;
  }

  testing::TempDir dir_;
  DictionarySet set_;
  RecordingHost host_;
  ViewerSettings settings_;
  SearchFlow flow_{set_, &host_, settings_};
};

TEST_F(SearchFlowSequence, SearchStripsMergesInSetOrderAndArmsTheInflection) {
  EXPECT_EQ(flow_.Search(u"(go!)"), SearchFlow::Found::kEntries);
  EXPECT_EQ(Shown(), (std::vector<std::u16string>{u"T:go", u"T:go", u"T:going"}));
  EXPECT_EQ(host_.armed.at(ids::kInflectionSearchTimer), 400);

  // An empty word searches nothing and keeps the list, but still arms the timer.
  host_.armed.clear();
  EXPECT_EQ(flow_.Search(u" !? "), SearchFlow::Found::kNothing);
  EXPECT_EQ(Shown().size(), 3u);
  EXPECT_EQ(host_.armed.at(ids::kInflectionSearchTimer), 400);

  EXPECT_EQ(flow_.Search(u"zzz"), SearchFlow::Found::kEntries);
  EXPECT_TRUE(Shown().empty());

  // A conjudelay of 0, the default, means no inflection search at all.
  host_.armed.clear();
  settings_.viewer = Options(true, 0, 0);
  flow_.Search(u"go");
  EXPECT_EQ(host_.armed.count(ids::kInflectionSearchTimer), 0u);
}

TEST_F(SearchFlowSequence, InflectionReplacesTheListOnlyWhenItFinds) {
  flow_.Search(u"Apple");
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(flow_.SearchInflected(u"Apple"), SearchFlow::Found::kEntries);  // lower case
  EXPECT_EQ(Shown(), (std::vector<std::u16string>{u"T:apple"}));
  EXPECT_EQ(flow_.SearchInflected(u"qqq"), SearchFlow::Found::kNothing);
  EXPECT_EQ(Shown(), (std::vector<std::u16string>{u"T:apple"}));
}

// What an input method types in its full-width mode: searched as stored
// first, and in its half-width form only when that finds nothing.
TEST(SearchFlowFullWidth, TheHalfWidthFormIsSearchedWhenTheTypedOneFindsNothing) {
  testing::TempDir dir;
  DictionarySet set;
  ASSERT_TRUE(set.Open(testing::WriteTestDictionary(
      dir, "a.dic", testing::Words({u"going", u"river", u"river bank", u"ｇｏａｌ", u"Ｒ＆Ｄ"}))));
  set.at(0).settings().english = true;
  const ViewerSettings settings;
  SearchFlow flow(set, nullptr, settings);
  struct Case {
    std::u16string typed;
    std::vector<std::u16string> keys;  // what the prefix search shows
  };
  const Case cases[] = {
      {u"ｒｉｖ", {u"river", u"river bank"}},
      {u"ｒｉｖｅｒ　ｂ", {u"river bank"}},
      {u"ｇｏ", {u"ｇｏａｌ"}},  // found as stored: its half-width form is not asked
      {u"ｇｏｉ", {u"going"}},
      {u"Ｒ＆", {u"Ｒ＆Ｄ"}},
      {u"Ｒｉｖｅｒ", {}},  // compared as stored, also in its half-width form
      {u"ｚｚ", {}},
      {u"riv", {u"river", u"river bank"}},
  };
  const auto keys = [&] {
    std::vector<std::u16string> shown;
    for (const EntryRef& entry : flow.entries()) shown.push_back(entry->key);
    return shown;
  };
  for (const Case& c : cases) {
    ASSERT_EQ(flow.Search(c.typed), SearchFlow::Found::kEntries);
    EXPECT_EQ(keys(), c.keys) << ::testing::PrintToString(c.typed);
  }
  // The inflection search that follows takes the half-width form too.
  EXPECT_EQ(flow.SearchInflected(u"Ｒｉｖｅｒ"), SearchFlow::Found::kEntries);
  EXPECT_EQ(keys(), (std::vector<std::u16string>{u"river", u"river bank"}));
  EXPECT_EQ(flow.SearchInflected(u"ｚｚ"), SearchFlow::Found::kNothing);
}

TEST(SearchFlowWithoutDictionaries, AWordFindsAnEmptyList) {
  DictionarySet set;
  const ViewerSettings settings;
  SearchFlow flow(set, nullptr, settings);
  EXPECT_EQ(flow.Search(u"go"), SearchFlow::Found::kEntries);
  EXPECT_EQ(flow.Search(u"  "), SearchFlow::Found::kNothing);
  EXPECT_EQ(flow.SearchInflected(u"go"), SearchFlow::Found::kNothing);
  EXPECT_TRUE(flow.entries().empty());
}

}  // namespace
}  // namespace tavlex
