#include "wordbook/word_book_file.h"

#include <unistd.h>

#include <cstdio>
#include <system_error>

#include "base/file.h"
#include "base/folder_lock.h"

namespace tavlex::wordbook {
namespace {

namespace fs = std::filesystem;

// Version by version, what brings a file of the version before up to it; a
// file of version 0 is one without our tables.
constexpr const char* kMigrations[] = {
    // 1: the entries, each with the hash of its identity for "already kept".
    "CREATE TABLE entries ("
    "  id INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  kept_at INTEGER NOT NULL,"  // milliseconds since 1970 UTC
    "  dictionary_name TEXT NOT NULL,"
    "  dictionary_path TEXT NOT NULL,"
    "  headword TEXT NOT NULL,"
    "  pronunciation TEXT NOT NULL,"
    "  translation TEXT NOT NULL,"
    "  example TEXT NOT NULL,"
    "  source_text TEXT NOT NULL,"
    "  covered_begin INTEGER NOT NULL,"  // UTF-16 offsets into source_text
    "  covered_end INTEGER NOT NULL,"
    "  identity INTEGER NOT NULL"
    ") STRICT;"
    "CREATE INDEX entries_by_identity ON entries(identity);"
    "CREATE INDEX entries_by_time ON entries(kept_at, id);",
    // 2: the entry's own headword beside the form found, so that an entry
    // kept under a form found from a text is marked as kept. Rows before it
    // were told apart by the headword kept, which becomes theirs; their
    // identity hashes stay as they were.
    "ALTER TABLE entries ADD COLUMN entry_headword TEXT NOT NULL DEFAULT '';"
    "UPDATE entries SET entry_headword = headword;",
};
static_assert(std::size(kMigrations) == kSchemaVersion);

constexpr int kReadWrite = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
constexpr int kReadOnly = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
constexpr size_t kLongestVerdict = 200;

OpenedFile Unavailable(Problem problem, std::string detail) {
  return {nullptr, {Access::kUnavailable, problem, std::move(detail)}};
}

std::unique_ptr<sqlite::Connection> Connect(const fs::path& file, int flags) {
  auto connection = std::make_unique<sqlite::Connection>(file, flags);
  connection->SetBusyTimeout(kBusyTimeoutMs);
  return connection;
}

// A database with nothing in it: a file of no pages, or one whose header
// names no application and holds no table.
bool IsEmpty(sqlite::Connection& db) {
  return db.Integer("PRAGMA page_count") == 0 ||
         (db.Integer("PRAGMA application_id") == 0 && db.Integer("PRAGMA user_version") == 0 &&
          db.Integer("SELECT count(*) FROM sqlite_schema") == 0);
}

// Brings an empty file or one of an older version up to this version. The
// file is looked at again under the write lock, since another process may
// have changed it in the meantime: false when it is no longer ours to write.
bool Migrate(sqlite::Connection& db) {
  if (db.Integer("PRAGMA application_id") == kApplicationId &&
      db.Integer("PRAGMA user_version") == kSchemaVersion) {
    return true;
  }
  sqlite::Transaction transaction(db);
  const bool empty = IsEmpty(db);
  const int64_t version = empty ? 0 : db.Integer("PRAGMA user_version");
  if (!empty && (db.Integer("PRAGMA application_id") != kApplicationId || version > kSchemaVersion))
    return false;
  if (empty) db.Execute(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
  for (int64_t step = version; step < kSchemaVersion; ++step) db.Execute(kMigrations[step]);
  db.Execute(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
  transaction.Commit();
  return true;
}

// The connection for changes, the file brought up to this version. A commit
// is confirmed once it is in the write-ahead log, which the system keeps
// through a killed or crashed program and a logout; only a power cut before
// the next checkpoint could take the last changes back. Waiting for the disk
// at every commit (synchronous=FULL) would cost up to 12 ms a keep here.
OpenedFile Writable(const fs::path& file, int flags = kReadWrite) {
  auto db = Connect(file, flags);
  if (db->ReadOnly()) return {std::move(db), {Access::kReadOnly, Problem::kNotWritable, ""}};
  // Outside any transaction, as SQLite wants; it stays in the file.
  db->Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL");
  if (!Migrate(*db)) return Unavailable(Problem::kBusy, "changed by another program while it was opened");
  return {std::move(db), {}};
}

// "ok", or the first problem SQLite found in the file's structure.
std::string QuickCheck(sqlite::Connection& db) {
  sqlite::Statement check(db, "PRAGMA quick_check(1)");
  return check.Step() ? std::string(check.Text(0, kLongestVerdict)) : "no answer";
}

// What an existing file is. It is looked at through a read-only connection
// (readerFlags), so that a file that turns out not to be ours is not even
// checkpointed.
OpenedFile Classify(const fs::path& file, int readerFlags) {
  auto reader = Connect(file, readerFlags);
  if (IsEmpty(*reader)) {
    reader.reset();
    if (::access(file.c_str(), W_OK) != 0) return Unavailable(Problem::kNotWritable, "an empty file");
    return Writable(file);
  }
  const int64_t id = reader->Integer("PRAGMA application_id");
  const int64_t version = reader->Integer("PRAGMA user_version");
  if (id != kApplicationId) {
    char detail[64];
    std::snprintf(detail, sizeof detail, "application id 0x%08llx", static_cast<unsigned long long>(id));
    return Unavailable(Problem::kForeign, id == 0 ? "a database of another program" : detail);
  }
  if (version > kSchemaVersion) {
    return {std::move(reader),
            {Access::kReadOnly, Problem::kNewerVersion, "schema " + std::to_string(version)}};
  }
  if (const std::string verdict = QuickCheck(*reader); verdict != "ok") {
    return {std::move(reader), {Access::kReadOnly, Problem::kDamaged, verdict}};
  }
  // Closed first: its read lock would keep the other connection from
  // switching an older file to the write-ahead log.
  reader.reset();
  return Writable(file);
}

OpenedFile Create(const fs::path& file) {
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  if (error) return Unavailable(Problem::kCannotOpen, file.parent_path().string() + ": " + error.message());
  return Writable(file, kReadWrite | SQLITE_OPEN_CREATE);
}

}  // namespace

std::string Describe(const BookStatus& status, const fs::path& file) {
  const char* what = "";
  switch (status.problem) {
    case Problem::kNone:
      return file.string() + ": the word book";
    case Problem::kNoFolder:
      return "no folder for the word book: set HOME or XDG_DATA_HOME";
    case Problem::kCannotOpen:
      what = "cannot open the word book";
      break;
    case Problem::kNotWritable:
      what = "the word book cannot be written";
      break;
    case Problem::kNewerVersion:
      what = "made by a newer version of Tavlex";
      break;
    case Problem::kDamaged:
      what = "the word book is damaged";
      break;
    case Problem::kForeign:
      what = "not a word book";
      break;
    case Problem::kBusy:
      what = "the word book is in use by another program";
      break;
  }
  std::string text = file.string() + ": " + what;
  if (!status.detail.empty()) text += " (" + status.detail + ")";
  if (status.access == Access::kReadOnly) text += "; opened read-only";
  if (status.problem != Problem::kBusy && status.problem != Problem::kCannotOpen) {
    text += "; the file is left as it is";
  }
  return text;
}

BookStatus StatusOfError(const sqlite::Error& error) {
  switch (error.code()) {
    case SQLITE_CORRUPT:
      return {Access::kReadOnly, Problem::kDamaged, error.what()};
    case SQLITE_NOTADB:
      return {Access::kUnavailable, Problem::kForeign, error.what()};
    case SQLITE_READONLY:
    case SQLITE_PERM:
      return {Access::kReadOnly, Problem::kNotWritable, error.what()};
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return {Access::kWritable, Problem::kBusy, error.what()};
    default:
      return {Access::kWritable, Problem::kCannotOpen, error.what()};
  }
}

OpenedFile ReopenReadOnly(const fs::path& file, BookStatus status) {
  try {
    return {Connect(file, kReadOnly), std::move(status)};
  } catch (const sqlite::Error& error) {
    status.access = Access::kUnavailable;
    return {nullptr, std::move(status)};
  }
}

OpenedFile OpenWordBookFile(const fs::path& file, bool create) {
  if (file.empty()) return Unavailable(Problem::kNoFolder, "");
  // Programs opening the file take turns: two that make it at once would
  // otherwise meet in the switch to the write-ahead log, where SQLite answers
  // "database is locked" at once instead of waiting. Changes, once the file is
  // open, wait for each other in SQLite itself.
  if (create) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
  }
  const FolderLock lock(file.parent_path());
  std::error_code missing;
  if (!fs::exists(file, missing)) {
    if (!create) return {nullptr, {}};
    try {
      return Create(file);
    } catch (const sqlite::Error& error) {
      return Unavailable(Problem::kCannotOpen, error.what());
    }
  }
  // The system's own words for a file that cannot be read at all; a FIFO is
  // refused here rather than waited on.
  int error = 0;
  if (!File::Open(file, &error)) return Unavailable(Problem::kCannotOpen, FileErrorText(error));
  for (const int readerFlags : {kReadOnly, kReadWrite}) {
    try {
      return Classify(file, readerFlags);
    } catch (const sqlite::Error& failure) {
      // A change cut short by a crash leaves its journal for the next writer
      // to roll back, which a read-only connection cannot do: the file is
      // looked at once more through one that can (SQLite then restores the
      // last commit, as any program that opens it would).
      const int code = failure.extendedCode();
      if (readerFlags == kReadOnly && (code == SQLITE_READONLY_ROLLBACK || code == SQLITE_READONLY_RECOVERY))
        continue;
      BookStatus status = StatusOfError(failure);
      if (status.problem == Problem::kBusy) return Unavailable(Problem::kBusy, failure.what());
      if (status.access == Access::kUnavailable) return {nullptr, std::move(status)};
      return ReopenReadOnly(file, std::move(status));
    }
  }
  return Unavailable(Problem::kCannotOpen, "");
}

}  // namespace tavlex::wordbook
