#include "platform/wayland_clipboard_monitor.h"

#include <fcntl.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <map>
#include <thread>

#include "platform/wayland_connection.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace tavlex::platform {
namespace {

using Clock = WaylandConnection::Clock;

// The types of text a copying program may offer, the one read first.
constexpr const char* kTextTypes[] = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain"};
constexpr int kNoText = INT_MAX;

int TextRank(const char* type) {
  for (int rank = 0; rank < int(std::size(kTextTypes)); ++rank) {
    if (std::strcmp(type, kTextTypes[rank]) == 0) return rank;
  }
  return kNoText;
}

// The text cut at limit bytes, no character cut in two.
void CutAt(std::string& text, size_t limit) {
  if (text.size() <= limit) return;
  size_t cut = limit;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  text.resize(cut);
}

}  // namespace

struct WaylandClipboardMonitor::Watch {
  ~Watch();

  void Run();
  void OnSelection(zwlr_data_control_offer_v1* offer);
  void ReadSome();
  void EndRead();

  static const zwlr_data_control_device_v1_listener kDeviceListener;
  static const zwlr_data_control_offer_v1_listener kOfferListener;

  Changed changed;
  std::unique_ptr<WaylandConnection> connection;
  wl_seat* seat = nullptr;
  zwlr_data_control_manager_v1* manager = nullptr;
  zwlr_data_control_device_v1* device = nullptr;
  // The offers the compositor introduced and that are not destroyed yet,
  // each with the rank of the best type of text it offers.
  std::map<zwlr_data_control_offer_v1*, int> offers;
  int reading = -1;  // the pipe the selection is read from, while it is
  std::string received;
  Clock::time_point readDeadline;
  bool finished = false;   // the compositor ended the device
  int wake[2] = {-1, -1};  // a byte written to wake[1] ends the thread
  std::thread thread;
};

const zwlr_data_control_device_v1_listener WaylandClipboardMonitor::Watch::kDeviceListener{
    .data_offer =
        [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
          static_cast<Watch*>(data)->offers[offer] = kNoText;
          zwlr_data_control_offer_v1_add_listener(offer, &kOfferListener, data);
        },
    .selection = [](void* data, zwlr_data_control_device_v1*,
                    zwlr_data_control_offer_v1* offer) { static_cast<Watch*>(data)->OnSelection(offer); },
    .finished = [](void* data, zwlr_data_control_device_v1*) { static_cast<Watch*>(data)->finished = true; },
    // Sent from version 2 on; the watch binds version 1.
    .primary_selection = [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {},
};

const zwlr_data_control_offer_v1_listener WaylandClipboardMonitor::Watch::kOfferListener{
    .offer =
        [](void* data, zwlr_data_control_offer_v1* offer, const char* type) {
          auto& offers = static_cast<Watch*>(data)->offers;
          const auto found = offers.find(offer);
          if (found != offers.end()) found->second = std::min(found->second, TextRank(type));
        },
};

WaylandClipboardMonitor::Watch::~Watch() {
  EndRead();
  for (const auto& [offer, rank] : offers) zwlr_data_control_offer_v1_destroy(offer);
  if (device) zwlr_data_control_device_v1_destroy(device);
  if (manager) zwlr_data_control_manager_v1_destroy(manager);
  if (seat) wl_seat_destroy(seat);
  for (int fd : wake) {
    if (fd >= 0) ::close(fd);
  }
}

void WaylandClipboardMonitor::Watch::Run() {
  while (!finished) {
    pollfd extra[] = {{wake[0], POLLIN, 0}, {reading, POLLIN, 0}};
    std::chrono::milliseconds timeout{-1};
    if (reading >= 0) {
      timeout = std::max(std::chrono::milliseconds(0),
                         std::chrono::ceil<std::chrono::milliseconds>(readDeadline - Clock::now()));
    }
    if (!connection->Wait(extra, timeout) || extra[0].revents) return;
    // A selection handled in the wait may have begun another read, with a
    // deadline of its own; a look at its pipe finds nothing yet.
    if (reading < 0) continue;
    if (extra[1].revents) {
      ReadSome();
    } else if (Clock::now() >= readDeadline) {
      EndRead();
    }
  }
}

void WaylandClipboardMonitor::Watch::OnSelection(zwlr_data_control_offer_v1* offer) {
  EndRead();
  // The offer of the last selection, and any never selected, are done with.
  int rank = kNoText;
  for (auto it = offers.begin(); it != offers.end();) {
    if (it->first == offer) {
      rank = it->second;
      ++it;
    } else {
      zwlr_data_control_offer_v1_destroy(it->first);
      it = offers.erase(it);
    }
  }
  int pipe[2];
  if (rank == kNoText || ::pipe2(pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    changed({});
    return;
  }
  // The library sends a copy of the write end; the copying program closes
  // it when all is written, and the read sees the end.
  zwlr_data_control_offer_v1_receive(offer, kTextTypes[rank], pipe[1]);
  ::close(pipe[1]);
  reading = pipe[0];
  received.clear();
  readDeadline = Clock::now() + kReadPatience;
}

void WaylandClipboardMonitor::Watch::ReadSome() {
  char chunk[4096];
  for (;;) {
    const ssize_t got = ::read(reading, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && errno == EAGAIN) return;
    if (got < 0) {
      EndRead();
      return;
    }
    received.append(chunk, static_cast<size_t>(got));
    if (got == 0 || received.size() > kMostBytes) break;
  }
  Selection selection{true, std::move(received)};
  CutAt(selection.text, kMostBytes);
  EndRead();
  changed(selection);
}

void WaylandClipboardMonitor::Watch::EndRead() {
  if (reading >= 0) ::close(reading);
  reading = -1;
  received.clear();
}

std::unique_ptr<WaylandClipboardMonitor> WaylandClipboardMonitor::Start(Changed changed) {
  auto watch = std::make_unique<Watch>();
  watch->changed = std::move(changed);
  watch->connection = WaylandConnection::Open(kConnectPatience);
  if (!watch->connection) return nullptr;
  watch->manager = static_cast<zwlr_data_control_manager_v1*>(
      watch->connection->Bind(&zwlr_data_control_manager_v1_interface, 1));
  watch->seat = static_cast<wl_seat*>(watch->connection->Bind(&wl_seat_interface, 1));
  if (!watch->manager || !watch->seat || ::pipe2(watch->wake, O_CLOEXEC) != 0) return nullptr;
  watch->device = zwlr_data_control_manager_v1_get_data_device(watch->manager, watch->seat);
  zwlr_data_control_device_v1_add_listener(watch->device, &Watch::kDeviceListener, watch.get());
  watch->thread = std::thread([watch = watch.get()] { watch->Run(); });
  return std::unique_ptr<WaylandClipboardMonitor>(new WaylandClipboardMonitor(std::move(watch)));
}

WaylandClipboardMonitor::WaylandClipboardMonitor(std::unique_ptr<Watch> watch) : watch_(std::move(watch)) {}

WaylandClipboardMonitor::~WaylandClipboardMonitor() {
  const char stop = 0;
  while (::write(watch_->wake[1], &stop, 1) < 0 && errno == EINTR) {
  }
  watch_->thread.join();
}

}  // namespace tavlex::platform
