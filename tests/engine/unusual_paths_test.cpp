// Paths that name something other than a readable regular file: refused at
// once with the reason, never waited on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "base/file.h"
#include "engine/dictionary.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_dictionaries.h"
#include "tests/support/unprivileged.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

int OpenError(const fs::path& path) {
  int error = 0;
  EXPECT_FALSE(File::Open(path, &error)) << path;
  EXPECT_EQ(ReadRegularFile(path).error, error) << path;
  EXPECT_EQ(Dictionary::Open(path.u16string(), nullptr), nullptr) << path;
  return error;
}

TEST(UnusualPaths, OnlyRegularFilesOpenAndNothingBlocks) {
  const testing::TempDir dir;
  const fs::path fifo = dir.path() / "fifo.dic";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(OpenError(fifo), kNotRegularFile);  // no writer: a blocking open would hang here
  EXPECT_EQ(OpenError("/dev/zero"), kNotRegularFile);
  if (fs::exists("/dev/tty")) {
    EXPECT_NE(OpenError("/dev/tty"), 0);  // ENXIO without a terminal
  }
  EXPECT_EQ(OpenError(dir.path()), EISDIR);
  EXPECT_EQ(OpenError(dir.path() / "missing.dic"), ENOENT);
  EXPECT_EQ(FileErrorText(kNotRegularFile), "not a regular file");

  const fs::path text = dir.path() / "words.txt";
  std::ofstream(text) << "some bytes";
  EXPECT_EQ(ReadRegularFile(text).bytes, "some bytes");
  EXPECT_EQ(ReadRegularFile(text).error, 0);
}

TEST(UnusualPaths, AnUnreadableDictionaryIsRefused) {
  const testing::TempDir dir;
  fs::permissions(dir.path(), fs::perms::all);
  const std::u16string path = testing::WriteTestDictionary(dir, "words.dic", testing::Words({u"apple"}));
  fs::permissions(path, fs::perms::none);
  EXPECT_TRUE(testing::PassesUnprivileged([&] {
    int error = 0;
    return !File::Open(path, &error) && error == EACCES && Dictionary::Open(path, nullptr) == nullptr;
  }));
}

}  // namespace
}  // namespace tavlex
