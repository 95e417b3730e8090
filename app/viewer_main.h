// The viewer's main. --help and --version answer without a display. Any
// other start first asks the session bus for a viewer running for this user
// and display, before Qt meets the display: one that runs takes the request
// (its window or the pop-up comes to the front) and this process ends.
// Otherwise this process becomes the viewer: it takes the bus name, so that
// later starts come to it, and shows what its own command line asks for.
// Without a session bus every start is a viewer of its own.
#pragma once

#include <filesystem>
#include <functional>

namespace tavlex {

class CViewerApp;

// For the start-up benchmark: started, if given, sees the viewer after its
// start, before the event loop runs; settings, if not empty, is the settings
// file in place of the usual one.
struct ViewerMainHooks {
  std::function<void(CViewerApp&)> started;
  std::filesystem::path settings;
};

int ViewerMain(int argc, char** argv, const ViewerMainHooks& hooks = {});

}  // namespace tavlex
