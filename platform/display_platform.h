// The display platform: whether the viewer shows its windows through Qt's
// Wayland plugin, and which of Qt's platforms it starts on. A Wayland session
// takes the Wayland plugin where it is installed and XWayland where it is
// not; with neither the viewer says what is missing rather than letting Qt
// abort.
#pragma once

#include <string>

namespace tavlex::platform {

// The viewer runs natively on Wayland (not through XWayland).
bool IsWayland();

// What the choice of a platform looks at.
struct DisplayEnvironment {
  std::string chosen;          // QT_QPA_PLATFORM: the user's own choice, taken as it is
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string x11Display;      // DISPLAY
  bool waylandPlugin = false;  // Qt's Wayland plugin is installed
  bool x11Plugin = false;      // Qt's X11 plugin is installed
};

struct DisplayChoice {
  // Qt's platforms in the order it is to try them ("wayland;xcb"); empty:
  // the user chose, Qt's own choice stands.
  std::string platforms;
  std::string problem;  // not empty: no platform can show a window; what the user must know
};

DisplayChoice ChooseDisplayPlatform(const DisplayEnvironment& environment);

// This process's environment and the platform plugins Qt would find. Needs
// no application object.
DisplayEnvironment CurrentDisplayEnvironment();

}  // namespace tavlex::platform
