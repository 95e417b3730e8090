#include "platform/wayland_connection.h"

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace tavlex::platform {
namespace {

bool Named(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

}  // namespace

std::unique_ptr<WaylandConnection> WaylandConnection::Open(std::chrono::milliseconds patience) {
  const Clock::time_point deadline = Clock::now() + patience;
  // A socket handed down in WAYLAND_SOCKET is Qt's to take; without a named
  // display the library would try "wayland-0", which may be someone else's.
  if (!Named("WAYLAND_DISPLAY") || Named("WAYLAND_SOCKET")) return nullptr;
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return nullptr;
  std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display));
  connection->registry_ = wl_display_get_registry(display);
  static const wl_registry_listener kRegistry{OnGlobal, OnGlobalRemove};
  wl_registry_add_listener(connection->registry_, &kRegistry, connection.get());
  // The compositor lists its globals before it answers the sync.
  bool listed = false;
  wl_callback* sync = wl_display_sync(display);
  static const wl_callback_listener kDone{
      [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }};
  wl_callback_add_listener(sync, &kDone, &listed);
  const bool answered = connection->DispatchUntil([&] { return listed; }, deadline);
  wl_callback_destroy(sync);
  return answered ? std::move(connection) : nullptr;
}

WaylandConnection::WaylandConnection(wl_display* display) : display_(display) {}

WaylandConnection::~WaylandConnection() {
  if (registry_) wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
}

void WaylandConnection::OnGlobal(void* data, wl_registry*, uint32_t name, const char* interface,
                                 uint32_t version) {
  static_cast<WaylandConnection*>(data)->globals_.push_back({name, interface, version});
}

void WaylandConnection::OnGlobalRemove(void* data, wl_registry*, uint32_t name) {
  std::erase_if(static_cast<WaylandConnection*>(data)->globals_,
                [name](const Global& global) { return global.name == name; });
}

void* WaylandConnection::Bind(const wl_interface* interface, uint32_t version) {
  for (const Global& global : globals_) {
    if (global.interface == interface->name) {
      return wl_registry_bind(registry_, global.name, interface, std::min(version, global.version));
    }
  }
  return nullptr;
}

bool WaylandConnection::Wait(std::span<pollfd> extra, std::chrono::milliseconds timeout) {
  // Events read already are handled before the wait, which reads new ones.
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0) return false;
  }
  // A full socket sends the rest with a later wait.
  if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
    wl_display_cancel_read(display_);
    return false;
  }
  std::vector<pollfd> fds{{wl_display_get_fd(display_), POLLIN, 0}};
  fds.insert(fds.end(), extra.begin(), extra.end());
  const int wait = timeout.count() < 0 ? -1 : static_cast<int>(std::min<int64_t>(timeout.count(), INT_MAX));
  int ready;
  do {
    ready = ::poll(fds.data(), fds.size(), wait);
  } while (ready < 0 && errno == EINTR);
  for (size_t i = 0; i < extra.size(); ++i) extra[i].revents = fds[i + 1].revents;
  if (ready > 0 && (fds[0].revents & (POLLIN | POLLERR | POLLHUP))) {
    if (wl_display_read_events(display_) < 0) return false;
  } else {
    wl_display_cancel_read(display_);
  }
  return wl_display_dispatch_pending(display_) >= 0;
}

bool WaylandConnection::DispatchUntil(const std::function<bool()>& done, Clock::time_point deadline) {
  while (!done()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 || !Wait({}, left)) return false;
  }
  return true;
}

}  // namespace tavlex::platform
