// A stand-in for the window a SearchFlow works for: it records the commands
// the flow posts and the timers it arms, which stay armed until killed.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "view/search_flow.h"

namespace tavlex::testing {

class RecordingSearchHost final : public SearchHost {
 public:
  std::vector<int> posted;
  std::map<int, int> armed;  // id -> milliseconds
  int kills = 0;

  void PostCommand(int command) override { posted.push_back(command); }
  void SetTimer(int id, int milliseconds) override { armed[id] = milliseconds; }
  void KillTimer(int id) override {
    armed.erase(id);
    ++kills;
  }
  void PostMessage(int, intptr_t, intptr_t) override {}
};

}  // namespace tavlex::testing
