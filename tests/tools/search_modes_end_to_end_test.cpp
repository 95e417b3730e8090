// tavlex-lookup in the search modes and tavlex-index as a user runs them,
// with the cache folder in the test's scratch directory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "tests/support/small_disk.h"
#include "tool_fixture.h"

namespace tavlex::testing {
namespace {

using ::testing::HasSubstr;

constexpr std::string_view kWords =
    "apple\t\t1. りんご\\n2. リンゴの木\t\tAn apple a day.\\n一日一個のりんご。\n"
    "Biology\t\t生物学\n"
    "cafe\tcafé\t喫茶店\n";

class SearchModesEndToEnd : public ToolTest {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CACHE_HOME");
    oldCache_ = old ? std::optional<std::string>(old) : std::nullopt;
    ::setenv("XDG_CACHE_HOME", PathOf("cache").c_str(), 1);
  }
  void TearDown() override {
    if (oldCache_) {
      ::setenv("XDG_CACHE_HOME", oldCache_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CACHE_HOME");
    }
  }
  static ProgramResult Index(const Args& args) { return RunProgram(TAVLEX_INDEX_PROGRAM, args); }
  std::vector<std::filesystem::path> IndexFiles() const {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::exists(PathOf("cache/tavlex"))) {
      // The look-ups keep their tables of index positions there too.
      for (const auto& entry : std::filesystem::directory_iterator(PathOf("cache/tavlex")))
        if (entry.path().extension() == ".index") files.push_back(entry);
    }
    return files;
  }

  std::optional<std::string> oldCache_;
};

TEST_F(SearchModesEndToEnd, ModesFindAndMarkWhatThePrefixSearchCannot) {
  const std::string dic = Dictionary("words", kWords);
  EXPECT_EQ(Lookup({"--dic", dic, "--mode", "suffix", "OLOGY"}).out, "Biology\n生物学\n");
  // With --dic every part is shown, the example too.
  EXPECT_EQ(Lookup({"--dic", dic, "--mode", "exact", "APPLE"}).out,
            "apple\n1. りんご\n2. リンゴの木\nAn apple a day.\n一日一個のりんご。\n");
  EXPECT_EQ(Lookup({"--dic", dic, "b?o*"}).out, "Biology\n生物学\n");  // a prefix pattern
  const ProgramResult full =
      Lookup({"--json", "--dic", dic, "--mode", "fulltext", "--fold-kana", "りんご day"});
  EXPECT_EQ(full.status, 0);
  EXPECT_EQ(full.out, JsonLine(dic, R"("query":"りんご day","key":"apple","display":"","attributes":16,)"
                                    R"("translation":"1. りんご\r\n2. リンゴの木","pronunciation":"",)"
                                    R"("example":"An apple a day.\r\n一日一個のりんご。","matches":[)"
                                    R"({"field":"translation","begin":3,"end":6},)"
                                    R"({"field":"translation","begin":11,"end":14},)"
                                    R"({"field":"example","begin":11,"end":14},)"
                                    R"({"field":"example","begin":22,"end":25}])"));
  EXPECT_EQ(full.err, "");  // no progress bar off a terminal
  ASSERT_EQ(IndexFiles().size(), 1u);
  // The translation field alone has no "day"; nothing found is status 1.
  const ProgramResult none =
      Lookup({"--dic", dic, "--mode", "fulltext", "--field", "translation", "りんご day"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
}

TEST_F(SearchModesEndToEnd, IndexToolBuildsTellsAndClears) {
  const std::string dic = Dictionary("words", kWords);
  const ProgramResult before = Index({"status", dic});
  EXPECT_EQ(before.status, 1);
  EXPECT_EQ(before.out, dic + ": no index\n");
  const ProgramResult built = Index({"build", dic});
  EXPECT_EQ(built.status, 0);
  EXPECT_THAT(built.out, HasSubstr(dic + ": indexed ("));
  ASSERT_EQ(IndexFiles().size(), 1u);
  const std::string file = IndexFiles()[0].string();
  EXPECT_THAT(Index({"status", dic}).out, HasSubstr(dic + ": up to date ("));
  EXPECT_THAT(Index({"build", dic}).out, HasSubstr(dic + ": up to date ("));

  // A damaged file is rebuilt by the next search, which is no error.
  Write("cache/tavlex/" + IndexFiles()[0].filename().string(), "damaged");
  const ProgramResult status = Index({"status", dic});
  EXPECT_EQ(status.status, 1);
  EXPECT_EQ(status.out, dic + ": out of date or damaged, rebuilt when next needed (" + file + ")\n");
  const ProgramResult found = Lookup({"--dic", dic, "--mode", "substring", "iolo"});
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.out, "Biology\n生物学\n");
  EXPECT_EQ(Index({"status", dic}).status, 0);

  EXPECT_EQ(Index({"clear", dic}).out, dic + ": removed " + file + "\n");
  EXPECT_EQ(Index({"clear", dic}).out, dic + ": no index\n");
  EXPECT_TRUE(IndexFiles().empty());
  EXPECT_EQ(Index({"build", PathOf("missing.dic")}).status, 2);
}

TEST_F(SearchModesEndToEnd, ABuildThatCannotWriteItsFileSaysSoAndLeavesTheOldOne) {
  const SmallDisk disk(256 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (it needs root)";
  ::setenv("XDG_CACHE_HOME", disk.path().c_str(), 1);
  const std::string dic = Dictionary("words", kWords);
  ASSERT_EQ(Index({"build", dic}).status, 0);
  const std::filesystem::path folder = disk.path() / "tavlex";
  ASSERT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  const std::string file = std::filesystem::directory_iterator(folder)->path().string();
  const std::string old = Read(file);

  Dictionary("words", "river\t\t川\n");  // another dictionary under the same path
  disk.Fill();
  const ProgramResult built = Index({"build", dic});
  EXPECT_EQ(built.status, 1);
  EXPECT_EQ(built.out, dic + ": cannot write the index " + file + ": No space left on device\n");
  EXPECT_EQ(Read(file), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);  // no part of a new one
}

}  // namespace
}  // namespace tavlex::testing
