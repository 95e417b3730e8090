// The viewer's main. --help and --version answer without a display. Any
// other start first asks the session bus for a viewer running for this user
// and display, before Qt meets the display: one that runs takes the request
// (its window or the pop-up comes to the front) and this process ends.
// Otherwise this process becomes the viewer: it takes the bus name, so that
// later starts come to it, and shows what its own command line asks for.
// Without a session bus every start is a viewer of its own.
#pragma once

#include <functional>

namespace tavlex {

class CViewerApp;

// started, if given, sees the viewer after its start, before the event loop
// runs (the start-up benchmark watches the window with it).
int ViewerMain(int argc, char** argv, const std::function<void(CViewerApp&)>& started = {});

}  // namespace tavlex
