// Opening the word book's SQLite file and deciding what may be done with it.
//
// Our file carries our application id and the schema's version (PRAGMA
// application_id and user_version). A file of an older version is migrated
// forward; a newer version's, a damaged one, or a read-only one is opened
// read-only; a file that is not ours (another application id, tables of
// another program, or not a database at all) is not used. Whatever is wrong
// with a file, it is kept as it is: nothing is ever written to it, so the
// user can move it aside.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "wordbook/sqlite.h"

namespace tavlex::wordbook {

enum class Access {
  kWritable,     // entries can be kept and removed
  kReadOnly,     // the entries can be read, not changed
  kUnavailable,  // nothing can be read: the word book looks empty
};

// Why the word book is not writable, for the GUI and the command line to tell.
enum class Problem {
  kNone,
  kNoFolder,      // no folder for the file: neither XDG_DATA_HOME nor HOME is set
  kCannotOpen,    // the file (or its folder) cannot be opened or made
  kNotWritable,   // the file or its folder is write-protected
  kNewerVersion,  // made by a newer version of Tavlex
  kDamaged,       // the database is damaged
  kForeign,       // not a word book: another program's database, or not a database
  kBusy,          // another program held it locked for longer than the wait
};

struct BookStatus {
  Access access = Access::kWritable;
  Problem problem = Problem::kNone;
  std::string detail;  // the system's or SQLite's words, or what was found in the file
};

// The status in a sentence, in English, for the command line: "FILE: made by
// a newer version of Tavlex (schema 2): read-only".
std::string Describe(const BookStatus& status, const std::filesystem::path& file);

// The application id in the file's header, "Tavl" in ASCII.
inline constexpr int64_t kApplicationId = 0x5461766C;
// The schema this program writes.
inline constexpr int64_t kSchemaVersion = 2;
// How long a change waits for another process's change to finish.
inline constexpr int kBusyTimeoutMs = 5000;

struct OpenedFile {
  std::unique_ptr<sqlite::Connection> connection;  // none while the file does not exist
  BookStatus status;
};

// Opens the file; with create, makes it (and its folder) when it does not
// exist yet. Never throws: the status tells what went wrong.
OpenedFile OpenWordBookFile(const std::filesystem::path& file, bool create);

// The connection replaced by a read-only one, for a file found damaged or
// unwritable while in use.
OpenedFile ReopenReadOnly(const std::filesystem::path& file, BookStatus status);

// The status for an error SQLite reported while the file was in use.
BookStatus StatusOfError(const sqlite::Error& error);

}  // namespace tavlex::wordbook
