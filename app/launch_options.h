// The viewer's command line. Besides --help and --version, it says what to
// look up (a WORD, the selection, the clipboard, or nothing: just the window)
// and where (the pop-up or the main window). The request goes to the viewer
// already running for this user and display, or to a new one.
#pragma once

#include <span>
#include <string>

#include "view/outside_lookup.h"

namespace tavlex {

struct LaunchOptions {
  bool help = false;
  bool version = false;
  // Started by the session bus to answer a request that is on its way: no
  // window comes up until one arrives.
  bool service = false;
  LookupRequest request;
};

extern const char kLaunchUsage[];

// The arguments after the program's name. Throws cli::UsageError.
LaunchOptions ParseLaunchOptions(std::span<const std::string> args);

}  // namespace tavlex
