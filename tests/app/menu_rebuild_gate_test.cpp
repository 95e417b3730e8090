// When the frame rebuilds its menu bar: at once on a size change, a settings
// change or deactivation; behind a dialog or an open menu only once that has
// gone or the frame is active again, and then only once.
#include "app/menu_rebuild_gate.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavlex {
namespace {

// A rebuild asked for (size, settings, deactivation), or a chance to catch
// up (activation, the window in front gone); with or without something in
// front; whether the frame rebuilds.
struct Step {
  bool ask;
  bool inFront;
  bool rebuilds;
};

TEST(MenuRebuildGate, RebuildsAtOnceOrOnceNothingIsInFront) {
  constexpr bool kAsk = true, kCatchUp = false;
  const std::vector<std::vector<Step>> scenarios = {
      {{kAsk, false, true}, {kCatchUp, false, false}},  // nothing in front; activation alone does nothing
      // Behind the removal question after a nested box: once, when both have gone.
      {{kAsk, true, false}, {kCatchUp, true, false}, {kCatchUp, false, true}, {kCatchUp, false, false}},
      {{kAsk, true, false}, {kAsk, false, true}, {kCatchUp, false, false}},  // a later rebuild ends the wait
  };
  for (size_t s = 0; s < scenarios.size(); ++s) {
    MenuRebuildGate gate;
    for (size_t i = 0; i < scenarios[s].size(); ++i) {
      const Step& step = scenarios[s][i];
      EXPECT_EQ(step.ask ? gate.Ask(step.inFront) : gate.CatchUp(step.inFront), step.rebuilds)
          << "scenario " << s << ", step " << i;
    }
  }
}

}  // namespace
}  // namespace tavlex
