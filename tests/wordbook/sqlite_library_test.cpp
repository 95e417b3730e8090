// SQLite's library loaded by name when a word book first opens: the system's
// one with every function the word book calls, or a message saying why not.
#include "wordbook/sqlite_library.h"

#include <gtest/gtest.h>

namespace tavlex::sqlite {
namespace {

TEST(SqliteLibrary, LoadsTheSystemsOrSaysWhyNot) {
  struct Case {
    const char* name;
    bool loads;
    const char* said;  // in the problem when it does not load
  };
  const Case cases[] = {
      {kLibraryName, true, ""},
      {"libtavlex-no-such-library.so.0", false, "cannot load SQLite (libtavlex-no-such-library.so.0)"},
      {"libc.so.6", false, "no sqlite3_open_v2"},  // a library, but not SQLite's
  };
  for (const Case& c : cases) {
    std::string problem = "before";
    const std::optional<Library> library = LoadLibrary(c.name, problem);
    EXPECT_EQ(library.has_value(), c.loads) << c.name;
    if (!c.loads) {
      EXPECT_NE(problem.find(c.said), std::string::npos) << c.name << ": " << problem;
      continue;
    }
    EXPECT_EQ(problem, "");
    // The functions are the ones named: a database in memory takes a row and gives it back.
    sqlite3* db = nullptr;
    ASSERT_EQ(library->open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    EXPECT_EQ(library->exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES (42);", nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(library->last_insert_rowid(db), 1);
    EXPECT_EQ(library->changes(db), 1);
    EXPECT_EQ(library->close(db), SQLITE_OK);
  }
}

}  // namespace
}  // namespace tavlex::sqlite
