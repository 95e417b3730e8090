// The settings file as viewers save it: two viewers on one file keep each
// other's registrations.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <future>

#include "tests/support/run_program.h"
#include "tests/support/test_dictionaries.h"

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

}  // namespace
}  // namespace tavlex
