// When the frame rebuilds its menu bar: at once on a size change, a settings
// change or deactivation; behind a dialog or an open menu only once that has
// gone or the frame is active again, and then only once.
#include "app/menu_rebuild_gate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlex {
namespace {

enum class Event { kSettingsChanged, kResize, kDeactivate, kActivate, kFrontGone };

struct Step {
  Event event;
  bool inFront;   // a dialog or menu is in front when the event arrives
  bool rebuilds;  // what the frame does
};

struct Scenario {
  std::string name;
  std::vector<Step> steps;
};

bool Handle(MenuRebuildGate& gate, const Step& step) {
  switch (step.event) {
    case Event::kSettingsChanged:
    case Event::kResize:
    case Event::kDeactivate:
      return gate.Ask(step.inFront);
    case Event::kActivate:
    case Event::kFrontGone:
      return gate.CatchUp(step.inFront);
  }
  return false;
}

TEST(MenuRebuildGate, RebuildsAtOnceOrOnceNothingIsInFront) {
  using enum Event;
  const std::vector<Scenario> scenarios = {
      {"nothing in front",
       {{kSettingsChanged, false, true}, {kResize, false, true}, {kDeactivate, false, true}}},
      {"activation alone", {{kActivate, false, false}, {kFrontGone, false, false}}},
      {"a change behind the removal question, after a nested box",
       {{kSettingsChanged, true, false},
        {kFrontGone, true, false},
        {kFrontGone, false, true},
        {kFrontGone, false, false}}},
      {"a resize under an open menu, then activation",
       {{kResize, true, false}, {kActivate, false, true}, {kActivate, false, false}}},
      {"deactivation by a dialog",
       {{kDeactivate, true, false}, {kActivate, true, false}, {kActivate, false, true}}},
      {"a rebuild that ran meanwhile ends the wait",
       {{kSettingsChanged, true, false}, {kResize, false, true}, {kFrontGone, false, false}}},
  };
  for (const Scenario& scenario : scenarios) {
    MenuRebuildGate gate;
    for (size_t i = 0; i < scenario.steps.size(); ++i) {
      EXPECT_EQ(Handle(gate, scenario.steps[i]), scenario.steps[i].rebuilds)
          << scenario.name << ", step " << i;
    }
  }
}

}  // namespace
}  // namespace tavlex
