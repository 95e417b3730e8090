// Watching the clipboard of a Wayland session without a window that has the
// focus, where the compositor offers the data-control protocol
// (zwlr_data_control_manager_v1: wlroots compositors and KDE Plasma). Each
// new selection is read on a thread of the watch's own, through a pipe from
// the program that copied it, and handed on as text. Plain C++.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace tavlex::platform {

class WaylandClipboardMonitor {
 public:
  struct Selection {
    bool hasText = false;  // false for an image, a file list, or an empty clipboard
    std::string text;      // UTF-8 as the copying program sent it, cut at kMostBytes

    bool operator==(const Selection&) const = default;
  };

  // Far more than a word to look up; a longer text is cut at a character
  // boundary here, and is still too long to be looked up.
  static constexpr size_t kMostBytes = 16 * 1024;
  // A program that takes longer to send what it copied is given up.
  static constexpr std::chrono::milliseconds kReadPatience{1'000};
  // The compositor's answer when the watch begins; none later: no start waits longer.
  static constexpr std::chrono::milliseconds kConnectPatience{100};

  // Called on the watch's thread: first with what the clipboard holds when
  // the watch begins, then with each new selection.
  using Changed = std::function<void(const Selection& selection)>;

  // The watch, begun; none without a compositor or where it lacks the protocol.
  static std::unique_ptr<WaylandClipboardMonitor> Start(Changed changed);
  // Ends the watch: no call of changed follows.
  ~WaylandClipboardMonitor();
  WaylandClipboardMonitor(const WaylandClipboardMonitor&) = delete;
  WaylandClipboardMonitor& operator=(const WaylandClipboardMonitor&) = delete;

 private:
  struct Watch;
  explicit WaylandClipboardMonitor(std::unique_ptr<Watch> watch);

  std::unique_ptr<Watch> watch_;  // the connection and all its objects, used by the thread alone once it runs
};

}  // namespace tavlex::platform
