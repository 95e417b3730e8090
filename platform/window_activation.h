// Bringing a window to the front for a request that came from another
// program. A window manager or compositor that guards against windows
// stealing the focus lets a window come up when the request carries the token
// of the user's action: the X11 startup id, whose launch feedback (a busy
// pointer) also ends here, or the Wayland activation token.
#pragma once

#include <QString>

class QWidget;

namespace tavlex::platform {

struct WindowActivation {
  QString startupId;        // X11 startup notification: "desktop-startup-id"
  QString activationToken;  // Wayland xdg-activation: "activation-token"
};

// Shows window (restored when it was minimised), raises it and asks for the focus.
void BringToFront(QWidget* window, const WindowActivation& activation);

// The time of the user's action that an X11 startup id carries ("..._TIME1234"); 0 when it has none.
unsigned long StartupIdTime(const QString& startupId);

}  // namespace tavlex::platform
