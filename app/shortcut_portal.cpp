#include "app/shortcut_portal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QPointer>

#include "app/bus_names.h"

namespace tavlex {
namespace {

constexpr uint kSuccess = 0;

// One shortcut as BindShortcuts takes it: (sa{sv}).
struct Shortcut {
  QString id;
  QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& out, const Shortcut& shortcut) {
  out.beginStructure();
  out << shortcut.id << shortcut.properties;
  out.endStructure();
  return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, Shortcut& shortcut) {
  in.beginStructure();
  in >> shortcut.id >> shortcut.properties;
  in.endStructure();
  return in;
}

// Where the portal puts the Request of a call made with handle token: its
// path is known before the call, so its Response is never missed.
QString RequestPath(const QDBusConnection& connection, const QString& token) {
  QString sender = connection.baseService().mid(1);
  sender.replace(u'.', u'_');
  return QStringLiteral("%1/request/%2/%3").arg(QLatin1String(bus::kPortalPath), sender, token);
}

// Waits for one Response signal of a Request object, then goes.
class ResponseWaiter : public QObject {
  Q_OBJECT

 public:
  ResponseWaiter(QDBusConnection connection, QString path, std::function<void(uint, const QVariantMap&)> then)
      : connection_(std::move(connection)), path_(std::move(path)), then_(std::move(then)) {
    connection_.connect(bus::kPortalService, path_, bus::kRequestInterface, bus::kResponseSignal, this,
                        SLOT(OnResponse(uint, QVariantMap)));
  }

 public slots:
  void OnResponse(uint response, const QVariantMap& results) {
    connection_.disconnect(bus::kPortalService, path_, bus::kRequestInterface, bus::kResponseSignal, this,
                           SLOT(OnResponse(uint, QVariantMap)));
    then_(response, results);
    deleteLater();
  }

 private:
  QDBusConnection connection_;
  QString path_;
  std::function<void(uint, const QVariantMap&)> then_;
};

}  // namespace
}  // namespace tavlex

Q_DECLARE_METATYPE(tavlex::Shortcut)

namespace tavlex {

ShortcutPortal::ShortcutPortal(const QDBusConnection& connection) : connection_(connection) {
  qDBusRegisterMetaType<Shortcut>();
  qDBusRegisterMetaType<QList<Shortcut>>();
  connection_.connect(bus::kPortalService, bus::kPortalPath, bus::kShortcutsInterface, bus::kActivatedSignal,
                      this, SLOT(OnActivated(QDBusMessage)));
}

void ShortcutPortal::Probe() {
  QDBusMessage get = QDBusMessage::createMethodCall(bus::kPortalService, bus::kPortalPath,
                                                    bus::kPropertiesInterface, QStringLiteral("Get"));
  get << QString::fromLatin1(bus::kShortcutsInterface) << QStringLiteral("version");
  auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(get), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    available_ = !call->isError();
    emit availabilityKnown(available_);
  });
}

void ShortcutPortal::Bind(const QString& description, const QString& parentWindow) {
  if (!session_.isEmpty()) {
    BindInSession(description, parentWindow);
    return;
  }
  const QVariantMap options{{"session_handle_token", QStringLiteral("tavlex")}};
  Request(QString::fromLatin1(bus::kCreateSession), {}, options,
          [this, description, parentWindow](bool ok, const QVariantMap& results) {
            // A string in the interface's first version, an object path in some portals.
            const QVariant handle = results.value("session_handle");
            session_ = !ok ? QString()
                       : handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
                           ? handle.value<QDBusObjectPath>().path()
                           : handle.toString();
            if (session_.isEmpty()) {
              emit bound(false);
              return;
            }
            BindInSession(description, parentWindow);
          });
}

void ShortcutPortal::BindInSession(const QString& description, const QString& parentWindow) {
  const QList<Shortcut> shortcuts{
      {QString::fromLatin1(bus::kShortcutId),
       {{"description", description}, {"preferred_trigger", QString::fromLatin1(bus::kSuggestedKey)}}}};
  Request(QString::fromLatin1(bus::kBindShortcuts),
          {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts), parentWindow}, {},
          [this](bool ok, const QVariantMap&) { emit bound(ok); });
}

void ShortcutPortal::Request(const QString& method, QList<QVariant> arguments, QVariantMap options,
                             Answer answer) {
  const QString token = QStringLiteral("tavlex%1").arg(++tokens_);
  options.insert(QStringLiteral("handle_token"), token);
  QPointer<ResponseWaiter> waiter = new ResponseWaiter(
      connection_, RequestPath(connection_, token),
      [answer](uint response, const QVariantMap& results) { answer(response == kSuccess, results); });
  QDBusMessage call =
      QDBusMessage::createMethodCall(bus::kPortalService, bus::kPortalPath, bus::kShortcutsInterface, method);
  arguments.append(options);
  call.setArguments(arguments);
  auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [answer, waiter](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    if (!call->isError()) return;
    delete waiter;  // no Response will come
    answer(false, {});
  });
}

void ShortcutPortal::OnActivated(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() < 4) return;
  const QDBusObjectPath session = arguments[0].value<QDBusObjectPath>();
  const QString shortcut = arguments[1].toString();
  const auto options = qdbus_cast<QVariantMap>(arguments[3].value<QDBusArgument>());
  if (session.path() != session_ || shortcut != QLatin1String(bus::kShortcutId)) return;
  emit activated(options.value("activation_token").toString());
}

}  // namespace tavlex

#include "shortcut_portal.moc"
