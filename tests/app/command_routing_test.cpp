// A command that the focused child, the view and the frame leave alone
// reaches the application object last.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/main_frame.h"
#include "platform/messages.h"
#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "tests/support/temp_dir.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

class RecordingApplication final : public platform::CommandTarget {
 public:
  std::vector<int> commands;
  bool OnCommand(int command) override {
    commands.push_back(command);
    return true;
  }
};

TEST(CommandRouting, WhatNobodyElseHandlesReachesTheApplication) {
  testing::TempDir dir;
  IniFile settings;
  settings.LoadPath(dir.path() / "tavlex.ini");
  RecordingApplication application;
  CMainFrame frame(settings, &application);

  platform::PostCommand(frame.view(), ids::kAppAbout);
  QApplication::sendPostedEvents();
  EXPECT_EQ(application.commands, (std::vector<int>{ids::kAppAbout}));
}

}  // namespace
}  // namespace tavlex
