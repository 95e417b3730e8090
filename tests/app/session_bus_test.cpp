// One viewer per user and display: on a private session bus (each test runs
// in a bus of its own, started by dbus-run-session), a viewer serves the bus
// name, and a second start of the real program hands it its request and ends.
// The running viewer reads the selection and the clipboard (through the
// clipboard stand-in here) as a look-up from outside asks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include "app/launch_bus.h"
#include "app/main_frame.h"
#include "app/outside_lookups.h"
#include "app/viewer_app.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/view_fixture.h"
#include "ui/index_edit.h"
#include "ui/lookup_popup.h"

namespace tavlex {
namespace {

using testing::Settle;
using Content = platform::Clipboard::Content;

constexpr int kPatienceMs = 20'000;

class SessionBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteThreeRegistered(dir_);
    ASSERT_TRUE(viewer_.InitialiseWith(dir_.path() / "tavlex.ini", false));
    bus_ = SessionBus::Connect();
    ASSERT_TRUE(bus_) << "no session bus: run the test under dbus-run-session";
    ASSERT_TRUE(bus_->Serve(viewer_.outside()));
  }

  // Runs the program as a second start, answering the bus meanwhile; its exit status.
  int Start(const QStringList& args) {
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QStringLiteral(TAVLEX_VIEWER), args);
    QElapsedTimer waited;
    waited.start();
    while (second.state() != QProcess::NotRunning && waited.elapsed() < kPatienceMs) {
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    if (second.state() != QProcess::NotRunning) {
      second.kill();
      second.waitForFinished();
      return -1;
    }
    Settle();
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
  }

  CLookupView* view() { return viewer_.frame()->view(); }

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
      {{}, none, river, "go", false},  // the window to the front, the box as it was
      {{"--popup", "going"}, none, none, "going", true},
      {{"--selection"}, apple, river, "apple pie", false},
      {{"--selection"}, none, river, "apple pie", false},  // nothing selected
      {{"--selection"}, std::nullopt, river, "river", false},
      {{"--clipboard", "--popup"}, apple, {true, "go", false}, "go", true},
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
  EXPECT_EQ(testing::Shown(*view()), (QStringList{"go", "a", "", "go", "c", ""}));
}

TEST_F(SessionBusTest, AUsageErrorNeverReachesTheViewer) {
  EXPECT_EQ(Start({"--selection", "go"}), 2);
  EXPECT_EQ(Start({"--version"}), 0);
  EXPECT_FALSE(viewer_.frame()->isVisible());
}

}  // namespace
}  // namespace tavlex
