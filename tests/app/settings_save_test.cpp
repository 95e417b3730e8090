// The settings file as viewers save it: two viewers on one file keep each
// other's registrations; a save the disk has no room for is told once.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <chrono>
#include <fstream>
#include <future>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "resources/resource_ids.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/run_program.h"
#include "tests/support/small_disk.h"
#include "tests/support/test_dictionaries.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Dictionary(const testing::TempDir& dir, const std::string& name) {
  return fs::path(testing::WriteTestDictionary(dir, name, testing::Words({u"go"}))).string();
}

TEST(SettingsSave, ARegistrationOutlivesAnotherViewerStartedBeforeIt) {
  const testing::TempDir dir;
  const std::string ini = (dir.path() / "tavlex.ini").string(), signal = std::to_string(SIGTERM);
  const std::string first = Dictionary(dir, "first.dic"), second = Dictionary(dir, "second.dic");
  // The viewer started first registers nothing (a cancelled dialog), or a third dictionary later.
  for (const std::string& later : {std::string(), Dictionary(dir, "third.dic")}) {
    std::ofstream(ini) << "[dictionary]\ndic1=" << first << "\n";
    fs::remove(ini + ".ready");
    fs::remove(ini + ".go");
    auto held = std::async(std::launch::async, testing::RunProgram, TAVLEX_VIEWER_CHILD,
                           std::vector<std::string>{ini, later, signal, "--hold"});
    while (!fs::exists(ini + ".ready") &&
           held.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
    }
    EXPECT_EQ(testing::RunProgram(TAVLEX_VIEWER_CHILD, {ini, second, signal}).status, 0);
    std::ofstream(ini + ".go");
    EXPECT_EQ(held.get().status, 0);

    const std::string saved = Read(ini);
    const std::string third = later.empty() ? "" : "dic3=" + later + "\n";
    EXPECT_EQ(saved.rfind("[dictionary]\ndic1=" + first + "\ndic2=" + second + "\n" + third, 0), 0u) << saved;
    EXPECT_NE(saved.find("[" + second + "]\n"), std::string::npos) << saved;
  }
}

TEST(SettingsSave, AFullDiskIsToldOnceAndTheChangesGoWithTheNextSave) {
  const testing::SmallDisk disk(64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (it needs root)";
  const testing::TempDir dir;
  const fs::path ini = disk.path() / "tavlex.ini";
  std::ofstream(ini) << "[dictionary]\n";
  testing::FakeMessageBoxes boxes;
  testing::FakeOpenFileDialog files;
  CViewerApp app;
  app.InitialiseWith(ini);
  app.frame()->view()->OpenDictionaries();
  disk.Fill();
  for (const std::string& dictionary : {Dictionary(dir, "first.dic"), Dictionary(dir, "second.dic")}) {
    files.SetNextResult(QString::fromStdString(dictionary));
    platform::PostCommand(app.frame()->view(), ids::kRegisterDictionary);
    QApplication::sendPostedEvents();
    QApplication::processEvents();
  }
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_TRUE(
      boxes.shown()[0].text.contains(QString::fromStdString(ini.string()) + ": No space left on device"));
  EXPECT_EQ(Read(ini), "[dictionary]\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), {}),
            2);  // and the filler: no part of a new file

  fs::remove(disk.path() / "filler");
  app.SaveSettings();
  EXPECT_NE(Read(ini).find("dic2=" + (dir.path() / "second.dic").string()), std::string::npos) << Read(ini);
}

}  // namespace
}  // namespace tavlex
