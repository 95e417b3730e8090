// One viewer per user and display: on a private session bus (each test runs
// in a bus of its own, started by dbus-run-session), a viewer serves the bus
// name, and a second start of the real program hands it its request and ends.
// The running viewer reads the selection and the clipboard (through the
// clipboard stand-in here) as a look-up from outside asks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QTimer>

#include "app/bus_names.h"
#include "app/launch_bus.h"
#include "app/main_frame.h"
#include "app/outside_lookups.h"
#include "app/shortcut_portal.h"
#include "app/viewer_app.h"
#include "resources/resource_ids.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/process_until.h"
#include "tests/support/view_fixture.h"
#include "ui/index_edit.h"
#include "ui/lookup_popup.h"

namespace tavlex {
namespace {

using testing::Settle;
using Content = platform::Clipboard::Content;

using testing::ProcessUntil;

// The desktop's GlobalShortcuts portal as the viewer meets it: every call
// succeeds through its Request's Response, and Press sends the key's signal.
class FakePortal : public QDBusVirtualObject {
 public:
  static constexpr char kPath[] = "/org/freedesktop/portal/desktop";
  QStringList calls;

  FakePortal() : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake-portal")) {
    bus_.registerVirtualObject(kPath, this);
    bus_.registerService("org.freedesktop.portal.Desktop");
  }
  ~FakePortal() override { QDBusConnection::disconnectFromBus("fake-portal"); }

  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
    calls << message.member();
    if (message.member() == "Get") {  // the interface's version
      bus_.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
      return true;
    }
    const auto options = qdbus_cast<QVariantMap>(message.arguments().constLast().value<QDBusArgument>());
    QString sender = message.service().mid(1);
    const QString request =
        QStringLiteral("%1/request/%2/%3")
            .arg(kPath, sender.replace(u'.', u'_'), options.value("handle_token").toString());
    bus_.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
    const QVariantMap results =
        message.member() == "CreateSession" ? QVariantMap{{"session_handle", session_}} : QVariantMap{};
    QTimer::singleShot(0, [this, request, results] {
      QDBusMessage response =
          QDBusMessage::createSignal(request, "org.freedesktop.portal.Request", "Response");
      response << 0u << results;
      bus_.send(response);
    });
    return true;
  }

  void Press() {
    QDBusMessage activated =
        QDBusMessage::createSignal(kPath, "org.freedesktop.portal.GlobalShortcuts", "Activated");
    activated << QVariant::fromValue(QDBusObjectPath(session_)) << QString(bus::kShortcutId) << qulonglong(0)
              << QVariantMap{{"activation_token", "token"}};
    bus_.send(activated);
  }

 private:
  QDBusConnection bus_;
  QString session_ = QStringLiteral("/org/freedesktop/portal/desktop/session/1/tavlex");
};

class SessionBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteThreeRegistered(dir_);
    viewer_.InitialiseWith(dir_.path() / "tavlex.ini", false);
    bus_ = SessionBus::Connect();
    ASSERT_TRUE(bus_) << "no session bus: run the test under dbus-run-session";
    ASSERT_TRUE(bus_->Serve(viewer_.outside()));
  }

  // Runs the program as a second start, answering the bus meanwhile; its exit status.
  int Start(const QStringList& args) {
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QStringLiteral(TAVLEX_VIEWER), args);
    if (!ProcessUntil([&] { return second.state() == QProcess::NotRunning; })) {
      second.kill();
      second.waitForFinished();
      return -1;
    }
    Settle();
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
  }

  CLookupView* view() { return viewer_.frame()->view(); }
  bool PopupShows(const QString& word) {
    return viewer_.outside()->popup() && viewer_.outside()->popup()->isVisible() &&
           viewer_.outside()->popup()->word() == word;
  }

  testing::TempDir dir_;
  testing::FakeClipboard clipboard_;
  CViewerApp viewer_;
  std::optional<SessionBus> bus_;
};

TEST_F(SessionBusTest, ASecondStartHandsItsRequestToTheRunningViewer) {
  struct Case {
    QStringList args;
    std::optional<Content> selection;  // none: no selection on this platform
    Content clipboard;
    QString searchText;  // what the search box holds afterwards
    bool popup;
  };
  const Content none;
  const Content apple{true, "apple pie\nsecond line", false};
  const Content river{true, "river", false};
  const Case cases[] = {
      {{"go"}, none, none, "go", false},
      {{}, none, river, "go", false},                  // the window to the front, the box as it was
      {{"--popup", "going"}, none, none, "go", true},  // the pop-up's look-up is its own
      {{"--selection"}, apple, river, "apple pie", false},
      {{"--selection"}, none, river, "apple pie", false},  // nothing selected
      {{"--selection"}, std::nullopt, river, "river", false},
      {{"--clipboard", "--popup"}, apple, {true, "go", false}, "river", true},
  };
  for (const Case& c : cases) {
    const std::string what = c.args.join(' ').toStdString();
    if (viewer_.outside()->popup()) viewer_.outside()->popup()->close();
    viewer_.frame()->hide();
    clipboard_.SetSelection(c.selection);
    clipboard_.SetClipboard(c.clipboard);
    ASSERT_EQ(Start(c.args), 0) << what;
    EXPECT_EQ(view()->searchEdit()->text(), c.searchText) << what;
    const bool popupShown = viewer_.outside()->popup() && viewer_.outside()->popup()->isVisible();
    EXPECT_EQ(popupShown, c.popup) << what;
    EXPECT_EQ(viewer_.frame()->isVisible(), !c.popup) << what;
  }
  // Looked up as a text in the pop-up: the heading of its group, then the entries.
  QStringList popupShows;
  for (const Paragraph& paragraph : viewer_.outside()->popup()->display()->paragraphs())
    popupShows << paragraph.text;
  EXPECT_EQ(popupShows, (QStringList{"go", "go", "a", "", "go", "c", ""}));
}

TEST_F(SessionBusTest, TheDesktopsPortalBindsTheKeyOnlyWhenTheUserAsks) {
  FakePortal portal;
  viewer_.outside()->OfferGlobalShortcut(bus_->connection());
  ASSERT_TRUE(ProcessUntil([&] { return view()->QueryCommandState(ids::kBindGlobalShortcut).shown; }));
  Settle();
  EXPECT_EQ(portal.calls, QStringList{"Get"});  // asked whether there is a portal, nothing bound

  platform::PostCommand(view(), ids::kBindGlobalShortcut);
  ASSERT_TRUE(ProcessUntil([&] { return viewer_.outside()->options().globalShortcut; }));
  EXPECT_EQ(portal.calls, (QStringList{"Get", "CreateSession", "BindShortcuts"}));

  clipboard_.SetSelection(Content{true, "river", false});
  portal.Press();
  EXPECT_TRUE(ProcessUntil([&] { return PopupShows("river"); }));
}

TEST_F(SessionBusTest, AUsageErrorNeverReachesTheViewer) {
  EXPECT_EQ(Start({"--selection", "go"}), 2);
  EXPECT_EQ(Start({"--version"}), 0);
  EXPECT_FALSE(viewer_.frame()->isVisible());
}

}  // namespace
}  // namespace tavlex
