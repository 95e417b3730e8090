#include "platform/window_activation.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <cstring>

#include "platform/display_platform.h"

namespace tavlex::platform {
namespace {

constexpr uint32_t kSourceApplication = 1;  // _NET_ACTIVE_WINDOW: asked by an application
constexpr size_t kStartupChunk = 20;        // bytes of a startup-notification message per X event

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

xcb_client_message_event_t ClientMessage(xcb_window_t window, xcb_atom_t type, uint8_t format) {
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = format;
  event.window = window;
  event.type = type;
  return event;
}

// The X11 side: the window carries the startup id, asks to be activated with
// the time of the user's action, and the launch feedback ends ("remove").
void ActivateOnX11(xcb_connection_t* connection, xcb_window_t window, const QString& startupId) {
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const QByteArray id = startupId.toUtf8();
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, Atom(connection, "_NET_STARTUP_ID"),
                      Atom(connection, "UTF8_STRING"), 8, static_cast<uint32_t>(id.size()), id.constData());

  xcb_client_message_event_t activate = ClientMessage(window, Atom(connection, "_NET_ACTIVE_WINDOW"), 32);
  activate.data.data32[0] = kSourceApplication;
  activate.data.data32[1] = static_cast<uint32_t>(StartupIdTime(startupId));
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&activate));

  // The message, with its terminating zero, in 20-byte pieces: the first of type BEGIN.
  const QByteArray remove = "remove: ID=" + id + '\0';
  xcb_atom_t type = Atom(connection, "_NET_STARTUP_INFO_BEGIN");
  const xcb_atom_t more = Atom(connection, "_NET_STARTUP_INFO");
  for (qsizetype at = 0; at < remove.size(); at += kStartupChunk, type = more) {
    xcb_client_message_event_t piece = ClientMessage(window, type, 8);
    std::memcpy(piece.data.data8, remove.constData() + at,
                std::min<size_t>(kStartupChunk, static_cast<size_t>(remove.size() - at)));
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                   reinterpret_cast<const char*>(&piece));
  }
  xcb_flush(connection);
}

}  // namespace

unsigned long StartupIdTime(const QString& startupId) {
  static const QRegularExpression kTime(QStringLiteral("_TIME(\\d+)"));
  const QRegularExpressionMatch match = kTime.match(startupId);
  return match.hasMatch() ? match.captured(1).toULong() : 0;
}

void BringToFront(QWidget* window, const WindowActivation& activation) {
  // Qt's Wayland window takes the token from here when it asks to be activated.
  if (IsWayland() && !activation.activationToken.isEmpty()) {
    qputenv("XDG_ACTIVATION_TOKEN", activation.activationToken.toUtf8());
  }
  if (window->isMinimized()) {
    window->showNormal();
  } else {
    window->show();
  }
  window->raise();
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 && !activation.startupId.isEmpty()) {
    ActivateOnX11(x11->connection(), static_cast<xcb_window_t>(window->winId()), activation.startupId);
  } else {
    window->activateWindow();
  }
}

}  // namespace tavlex::platform
