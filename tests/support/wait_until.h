// Waiting outside Qt for what another process does (a socket that appears, a
// line it prints): done is asked again every little while, for a patience
// that only a fault exhausts on a loaded machine.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace tavlex::testing {

inline constexpr std::chrono::milliseconds kOtherProcessPatience{20'000};

// Whether done held before the patience ran out.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds patience = kOtherProcessPatience) {
  const auto until = std::chrono::steady_clock::now() + patience;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace tavlex::testing
