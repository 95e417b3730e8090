// A connection of the viewer's own to the Wayland compositor, beside the one
// Qt's Wayland plugin keeps, for the protocols the plugin does not speak for
// it (xdg-activation tokens for a start without a window, the clipboard
// watched without the focus). Plain C++: every wait is bounded, so that a
// compositor that never answers delays a start by a fixed time at most.
#pragma once

#include <poll.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct wl_display;
struct wl_interface;
struct wl_registry;

namespace tavlex::platform {

class WaylandConnection {
 public:
  using Clock = std::chrono::steady_clock;

  // The compositor that WAYLAND_DISPLAY names, with the list of what it
  // offers; none without one, or when it does not list its offers in time.
  static std::unique_ptr<WaylandConnection> Open(std::chrono::milliseconds patience);
  ~WaylandConnection();
  WaylandConnection(const WaylandConnection&) = delete;
  WaylandConnection& operator=(const WaylandConnection&) = delete;

  wl_display* display() const { return display_; }

  // Binds the compositor's global of that interface, at its version but at
  // most at version; null when the compositor offers none. The caller owns
  // the proxy, and destroys it before the connection.
  void* Bind(const wl_interface* interface, uint32_t version);

  // Sends what waits to be sent, waits up to timeout (a negative one: for
  // as long as it takes) for the compositor or for one of extra (whose
  // revents it fills), and handles the compositor's events. False once the
  // connection is broken.
  bool Wait(std::span<pollfd> extra, std::chrono::milliseconds timeout);

  // Handles the compositor's events until done holds: false when the
  // deadline passes first or the connection breaks.
  bool DispatchUntil(const std::function<bool()>& done, Clock::time_point deadline);

 private:
  struct Global {
    uint32_t name;
    std::string interface;
    uint32_t version;
  };

  explicit WaylandConnection(wl_display* display);
  static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version);
  static void OnGlobalRemove(void* data, wl_registry* registry, uint32_t name);

  wl_display* display_;              // owned: disconnected last
  wl_registry* registry_ = nullptr;  // owned
  std::vector<Global> globals_;
};

}  // namespace tavlex::platform
