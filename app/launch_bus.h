// The session bus, as the viewer uses it to run once per user and display.
// The running viewer owns the well-known name of its desktop entry's id and
// answers the freedesktop org.freedesktop.Application interface on it, so that
// a second start, the desktop (which starts the viewer through the bus when
// its entry says DBusActivatable) and scripts reach the one viewer:
//
//   Activate(a{sv} platform-data)                the window to the front
//   Open(as uris, a{sv} platform-data)           the same: the viewer opens no files
//   ActivateAction(s "look-up", av [parameter], a{sv} platform-data)
//       parameter: a string, the word to look up; or a{sv} with "source"
//       ("word", "selection" or "clipboard"), "word" and "place" ("window"
//       or "popup"; absent: as the settings say)
//
// platform-data may carry "desktop-startup-id" (X11) and "activation-token"
// (Wayland) from the launching desktop, or a token the asking program got
// from the compositor itself, which let the window come to the front, and "display", the display of the
// program that asks: a viewer on another display refuses, and the asking program starts its own.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>

#include "platform/window_activation.h"
#include "view/outside_lookup.h"

namespace tavlex {

// The platform data for a request from this process: its display, and the
// startup id or activation token its launcher put in the environment.
QVariantMap PlatformDataFromEnvironment();

// A request as the parameter of the "look-up" action, and back. A parameter
// that does not describe a request gives none.
QVariant LookupParameter(const LookupRequest& request);
std::optional<LookupRequest> RequestFromParameter(const QVariant& parameter);

// What the viewer does with each request that reaches it over the bus.
class LaunchHandler {
 public:
  virtual void OnLaunch(const LookupRequest& request, const platform::WindowActivation& activation) = 0;

 protected:
  ~LaunchHandler() = default;
};

class SessionBus {
 public:
  enum class HandOff {
    kTaken,         // the running viewer took the request
    kNoViewer,      // no viewer owns the name
    kOtherDisplay,  // the running viewer shows on another display
    kNoAnswer,      // it did not answer in time
  };

  // None without a session bus: no address in the environment and no socket
  // where the user's bus lives. A missing bus is never started.
  static std::optional<SessionBus> Connect();
  ~SessionBus();
  SessionBus(SessionBus&& other) noexcept;
  SessionBus& operator=(SessionBus&& other) noexcept;

  // The connection, for the viewer's other business on the bus.
  QDBusConnection connection() const;

  // Gives the request to the viewer that owns the name, if one does.
  HandOff Pass(const LookupRequest& request) const;

  // Answers requests from now on through handler, which must outlive the
  // serving: exports the interface, then takes the name. False when another
  // viewer owns it already.
  bool Serve(LaunchHandler* handler);

 private:
  explicit SessionBus(const QString& connectionName);
  void Disconnect();

  QString connectionName_;            // a connection of its own, made before Qt meets the display
  std::unique_ptr<QObject> service_;  // what answers the interface once Serve has taken the name
};

}  // namespace tavlex
