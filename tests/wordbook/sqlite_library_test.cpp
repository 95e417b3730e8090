// SQLite's library loaded by name: the system's, with every function the word
// book calls, or a message saying why not.
#include "wordbook/sqlite_library.h"

#include <gtest/gtest.h>

namespace tavlex::sqlite {
namespace {

TEST(SqliteLibrary, LoadsTheSystemsOrSaysWhyNot) {
  const std::pair<const char*, const char*> refused[] = {
      {"libtavlex-no-such-library.so.0", "cannot load SQLite (libtavlex-no-such-library.so.0)"},
      {"libc.so.6", "no sqlite3_open_v2"},  // a library, but not SQLite's
  };
  for (const auto& [name, said] : refused) {
    std::string problem;
    EXPECT_FALSE(LoadLibrary(name, problem)) << name;
    EXPECT_NE(problem.find(said), std::string::npos) << name << ": " << problem;
  }
  std::string problem;
  const std::optional<Library> library = LoadLibrary(kLibraryName, problem);
  ASSERT_TRUE(library) << problem;
  // The functions are the ones named: a database in memory takes a row.
  sqlite3* db = nullptr;
  ASSERT_EQ(library->open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  EXPECT_EQ(library->exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES (42);", nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_EQ(library->last_insert_rowid(db), 1);
  EXPECT_EQ(library->close(db), SQLITE_OK);
}

}  // namespace
}  // namespace tavlex::sqlite
