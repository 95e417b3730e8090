// An activation token of a start's own (xdg-activation), asked of the Wayland
// compositor when the launcher gave none: the running viewer that the start
// hands its request to brings its window to the front with it, where a
// compositor lets no window take the focus unasked.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace tavlex::platform {

// Long enough for a compositor that answers at all; a start waits no longer.
inline constexpr std::chrono::milliseconds kActivationTokenPatience{100};

// The token the compositor of WAYLAND_DISPLAY issues for a program of that
// app id; none without a compositor, or from one that lacks the protocol,
// refuses, or does not answer within patience.
std::optional<std::string> RequestActivationToken(
    const std::string& appId, std::chrono::milliseconds patience = kActivationTokenPatience);

}  // namespace tavlex::platform
