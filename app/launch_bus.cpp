#include "app/launch_bus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>

#include "app/bus_names.h"
#include "platform/qt_text.h"
#include "platform/wayland_activation_token.h"

namespace tavlex {
namespace {

using Source = LookupRequest::Source;
using Place = LookupRequest::Place;

constexpr char kConnectionName[] = "tavlex";
// A viewer inside a dialog still answers; one that takes longer is stuck.
constexpr int kAnswerTimeoutMs = 10'000;

constexpr char kStartupIdKey[] = "desktop-startup-id";
constexpr char kActivationTokenKey[] = "activation-token";
constexpr char kDisplayKey[] = "display";

struct Named {
  const char* name;
  int value;
};
constexpr Named kSources[] = {{"word", int(Source::kWord)},
                              {"selection", int(Source::kSelection)},
                              {"clipboard", int(Source::kClipboard)}};
constexpr Named kPlaces[] = {{"window", int(Place::kWindow)}, {"popup", int(Place::kPopup)}};

template <size_t N>
QString NameOf(const Named (&names)[N], int value) {
  for (const Named& named : names) {
    if (named.value == value) return QString::fromLatin1(named.name);
  }
  return {};
}

template <size_t N>
std::optional<int> ValueOf(const Named (&names)[N], const QString& name) {
  for (const Named& named : names) {
    if (name == QLatin1String(named.name)) return named.value;
  }
  return std::nullopt;
}

QString OwnDisplay() {
  const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
  return wayland.isEmpty() ? qEnvironmentVariable("DISPLAY") : wayland;
}

// ":0" and ":0.0" name the same X display; an unknown display matches any.
bool SameDisplay(QString a, QString b) {
  if (a.isEmpty() || b.isEmpty()) return true;
  for (QString* name : {&a, &b}) {
    const qsizetype colon = name->lastIndexOf(u':');
    const qsizetype dot = name->lastIndexOf(u'.');
    if (colon >= 0 && dot > colon) name->truncate(dot);
  }
  return a == b;
}

// Bus values arrive as the plain type or, for a dictionary, as a QDBusArgument.
QVariantMap MapOf(const QVariant& value) {
  if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
    return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
  }
  return value.toMap();
}

// The org.freedesktop.Application interface of the running viewer.
class ApplicationInterface : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")  // bus::kApplicationInterface

 public:
  explicit ApplicationInterface(LaunchHandler* handler) : handler_(handler), display_(OwnDisplay()) {}

 public slots:
  void Activate(const QVariantMap& platformData) { Take(LookupRequest{}, platformData); }

  // The viewer opens no files: its window comes to the front.
  void Open([[maybe_unused]] const QStringList& uris, const QVariantMap& platformData) {
    Take(LookupRequest{}, platformData);
  }

  void ActivateAction(const QString& action, const QVariantList& parameter, const QVariantMap& platformData) {
    const std::optional<LookupRequest> request =
        action == QLatin1String(bus::kLookUpAction) && parameter.size() == 1
            ? RequestFromParameter(parameter.front())
            : std::nullopt;
    if (!request) {
      sendErrorReply(QDBusError::InvalidArgs,
                     QStringLiteral("the one action is look-up, with one parameter"));
      return;
    }
    Take(*request, platformData);
  }

 private:
  void Take(const LookupRequest& request, const QVariantMap& platformData) {
    if (!SameDisplay(platformData.value(kDisplayKey).toString(), display_)) {
      sendErrorReply(bus::kOtherDisplayError,
                     QStringLiteral("this viewer shows on display %1").arg(display_));
      return;
    }
    handler_->OnLaunch(request, {platformData.value(kStartupIdKey).toString(),
                                 platformData.value(kActivationTokenKey).toString()});
  }

  LaunchHandler* handler_;
  QString display_;
};

}  // namespace

QVariantMap PlatformDataFromEnvironment() {
  QVariantMap data{{kDisplayKey, OwnDisplay()}};
  for (const auto& [key, variable] : {std::pair{kStartupIdKey, "DESKTOP_STARTUP_ID"},
                                      std::pair{kActivationTokenKey, "XDG_ACTIVATION_TOKEN"}}) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty()) data.insert(key, value);
  }
  return data;
}

QVariant LookupParameter(const LookupRequest& request) {
  QVariantMap parameter{{"source", NameOf(kSources, int(request.source))}};
  if (request.source == Source::kWord) parameter.insert("word", ToQString(request.word));
  if (request.place != Place::kDefault) parameter.insert("place", NameOf(kPlaces, int(request.place)));
  return parameter;
}

std::optional<LookupRequest> RequestFromParameter(const QVariant& parameter) {
  LookupRequest request;
  if (parameter.metaType() == QMetaType::fromType<QString>()) {
    request.source = Source::kWord;
    request.word = ToU16String(parameter.toString());
    return request;
  }
  const QVariantMap map = MapOf(parameter);
  const std::optional<int> source = ValueOf(kSources, map.value("source", "word").toString());
  const std::optional<int> place =
      map.contains("place") ? ValueOf(kPlaces, map.value("place").toString()) : int(Place::kDefault);
  if (!source || !place) return std::nullopt;
  request.source = Source(*source);
  request.place = Place(*place);
  if (request.source == Source::kWord) request.word = ToU16String(map.value("word").toString());
  return request;
}

std::optional<SessionBus> SessionBus::Connect() {
  // Without an address, the bus library would look for the user's bus
  // socket and then try to start a bus: only the socket is wanted here.
  if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QFileInfo(runtime + QStringLiteral("/bus")).exists()) return std::nullopt;
  }
  const QString name = QString::fromLatin1(kConnectionName);
  if (!QDBusConnection::connectToBus(QDBusConnection::SessionBus, name).isConnected()) {
    QDBusConnection::disconnectFromBus(name);
    return std::nullopt;
  }
  return SessionBus(name);
}

SessionBus::SessionBus(const QString& connectionName) : connectionName_(connectionName) {}

SessionBus::SessionBus(SessionBus&& other) noexcept
    : connectionName_(std::exchange(other.connectionName_, QString())), service_(std::move(other.service_)) {}

SessionBus& SessionBus::operator=(SessionBus&& other) noexcept {
  if (this != &other) {
    Disconnect();
    connectionName_ = std::exchange(other.connectionName_, QString());
    service_ = std::move(other.service_);
  }
  return *this;
}

SessionBus::~SessionBus() { Disconnect(); }

void SessionBus::Disconnect() {
  service_.reset();
  if (!connectionName_.isEmpty())
    QDBusConnection::disconnectFromBus(std::exchange(connectionName_, QString()));
}

QDBusConnection SessionBus::connection() const { return QDBusConnection(connectionName_); }

SessionBus::HandOff SessionBus::Pass(const LookupRequest& request) const {
  const bool activate = request.source == Source::kNone;
  QDBusMessage call =
      QDBusMessage::createMethodCall(bus::kApplicationId, bus::kObjectPath, bus::kApplicationInterface,
                                     activate ? bus::kActivate : bus::kActivateAction);
  // A viewer is started by this process, not by the bus.
  call.setAutoStartService(false);
  if (!activate) call << QString::fromLatin1(bus::kLookUpAction) << QVariantList{LookupParameter(request)};
  QVariantMap platformData = PlatformDataFromEnvironment();
  // A start from a terminal or a script has no token from a launcher: on
  // Wayland it asks for one itself, which the compositor may refuse. Only a
  // running viewer can use it, so a start that becomes the viewer asks for none.
  if (!platformData.contains(kActivationTokenKey) && qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
      connection().interface()->isServiceRegistered(QString::fromLatin1(bus::kApplicationId))) {
    if (const std::optional<std::string> token = platform::RequestActivationToken(bus::kApplicationId)) {
      platformData.insert(kActivationTokenKey, QString::fromStdString(*token));
    }
  }
  call << platformData;
  const QDBusMessage reply = connection().call(call, QDBus::Block, kAnswerTimeoutMs);
  if (reply.type() == QDBusMessage::ReplyMessage) return HandOff::kTaken;
  const QString error = reply.errorName();
  if (error == QLatin1String(bus::kOtherDisplayError)) return HandOff::kOtherDisplay;
  if (error == QLatin1String(bus::kServiceUnknownError) ||
      error == QLatin1String(bus::kNameHasNoOwnerError)) {
    return HandOff::kNoViewer;
  }
  return HandOff::kNoAnswer;
}

bool SessionBus::Serve(LaunchHandler* handler) {
  QDBusConnection session = connection();
  auto service = std::make_unique<ApplicationInterface>(handler);
  if (!session.registerObject(bus::kObjectPath, service.get(), QDBusConnection::ExportAllSlots)) return false;
  const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> claimed =
      session.interface()->registerService(bus::kApplicationId, QDBusConnectionInterface::DontQueueService,
                                           QDBusConnectionInterface::DontAllowReplacement);
  if (!claimed.isValid() || claimed.value() != QDBusConnectionInterface::ServiceRegistered) {
    session.unregisterObject(bus::kObjectPath);
    return false;
  }
  service_ = std::move(service);
  return true;
}

}  // namespace tavlex

#include "launch_bus.moc"
