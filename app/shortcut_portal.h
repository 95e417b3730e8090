// ShortcutPortal: a global key for the pop-up of the selection, bound by the
// desktop itself through the xdg-desktop-portal GlobalShortcuts interface
// (KDE Plasma and newer GNOME offer it, on Wayland too). The viewer never
// grabs a key: the user asks for one in the ツール menu, and the desktop's own
// dialog lets them choose it or refuse. Once bound, the key is bound again at
// every start, since the desktop binds a key only for a program's session.
//
// The portal's calls answer through a Request object whose Response signal
// carries the result; a call is made only once its Response is listened to.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>
#include <functional>

namespace tavlex {

class ShortcutPortal : public QObject {
  Q_OBJECT

 public:
  explicit ShortcutPortal(const QDBusConnection& connection);

  // Asks whether the desktop offers the interface; availabilityKnown follows.
  void Probe();
  bool available() const { return available_; }

  // Asks the desktop to bind the key, with the shortcut's description;
  // parentWindow names the window its dialog belongs to ("x11:1a2b", or empty).
  void Bind(const QString& description, const QString& parentWindow);

 signals:
  void availabilityKnown(bool available);
  // The desktop bound the key, or the user refused or something failed.
  void bound(bool ok);
  // The key was pressed; the token lets the pop-up come to the front.
  void activated(const QString& activationToken);

 public slots:
  // The portal's Activated signal (the bus calls only public slots).
  // (o session_handle, s shortcut_id, t timestamp, a{sv} options)
  void OnActivated(const QDBusMessage& message);

 private:
  using Answer = std::function<void(bool ok, const QVariantMap& results)>;
  // Calls a portal method whose options take a handle_token, and hands its Response to answer.
  void Request(const QString& method, QList<QVariant> arguments, QVariantMap options, Answer answer);
  void BindInSession(const QString& description, const QString& parentWindow);

  QDBusConnection connection_;
  bool available_ = false;
  QString session_;  // the session's object path, once created
  int tokens_ = 0;
};

}  // namespace tavlex
