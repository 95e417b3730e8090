// The phone status while a menu is open in ten-key mode, over a fake store.
#include "platform/phone_status.h"

#include <gtest/gtest.h>

#include <QMenuBar>
#include <fstream>

#include "app/main_frame.h"
#include "app/menu_bar.h"
#include "settings/ini_file.h"
#include "tests/support/temp_dir.h"

namespace tavlex {
namespace {

class FakeStore final : public platform::PhoneStatusStore {
 public:
  std::optional<uint32_t> value;
  bool readable = true;
  int writes = 0;
  std::optional<uint32_t> Read() override { return readable ? value : std::nullopt; }
  void Write(uint32_t v) override {
    value = v;
    ++writes;
  }
};

TEST(PhoneStatus, SevenWhileAMenuIsOpenInTenKeyMode) {
  FakeStore store;
  store.value = 3;
  platform::PhoneStatusService service(&store);
  service.OnMenuLoop(true, 1);
  EXPECT_EQ(store.value, 7u);
  service.OnMenuLoop(false, 1);
  EXPECT_EQ(store.value, 3u);

  // An unreadable value: 7 all the same, then the last good one.
  store.readable = false;
  service.OnMenuLoop(true, 1);
  EXPECT_EQ(store.value, 7u);
  service.OnMenuLoop(false, 1);
  EXPECT_EQ(store.value, 3u);

  // Ten-key off, or any value but 1: never touched.
  const int writes = store.writes;
  service.OnMenuLoop(true, 0);
  service.OnMenuLoop(false, 2);
  EXPECT_EQ(store.writes, writes);
}

TEST(PhoneStatus, TheFrameReportsItsMenusOpeningAndClosing) {
  testing::TempDir dir;
  std::ofstream(dir.path() / "tavlex.ini") << "[dictionary]\nMenuTenkey=1\n";
  IniFile settings;
  settings.LoadPath(dir.path() / "tavlex.ini");
  FakeStore store;
  store.value = 3;
  platform::PhoneStatusService service(&store);
  CMainFrame frame(settings, nullptr, &service);
  QMenu* popup = ButtonPopup(frame.menuBar(), 1);
  emit popup->aboutToShow();
  EXPECT_EQ(store.value, 7u);
  emit popup->aboutToHide();
  EXPECT_EQ(store.value, 3u);
}

}  // namespace
}  // namespace tavlex
