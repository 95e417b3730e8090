// A thin wrapper of SQLite's C API for the word book: a connection, a
// prepared statement and a write transaction, each closed or finished by its
// destructor. Failures throw sqlite::Error with SQLite's result code and its
// message, so callers can tell a busy, damaged or foreign file apart. The
// library itself is loaded by the first connection (sqlite_library.h); when
// it cannot be, the connection fails with SQLITE_CANTOPEN.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavlex::sqlite {

class Error : public std::runtime_error {
 public:
  Error(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  // The primary result code (SQLITE_BUSY, SQLITE_CORRUPT, SQLITE_NOTADB, ...).
  int code() const { return code_ & 0xff; }
  // The extended one (SQLITE_READONLY_ROLLBACK, ...).
  int extendedCode() const { return code_; }

 private:
  int code_;
};

class Connection {
 public:
  // flags as sqlite3_open_v2's; throws Error when the file cannot be opened.
  Connection(const std::filesystem::path& file, int flags);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Runs statements that return no rows.
  void Execute(const char* sql);
  // The first column of the first row of sql, as an integer (0 without a row).
  int64_t Integer(const char* sql);
  // Whether the connection may write: false for a file opened read-only.
  bool ReadOnly() const;
  int64_t LastInsertId() const;
  int Changes() const;
  // How long a statement waits for another connection's lock before failing with SQLITE_BUSY.
  void SetBusyTimeout(int milliseconds);
  // Throws Error for result, with the connection's message.
  [[noreturn]] void Fail(int result) const;
  sqlite3* handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(Connection& connection, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Parameters count from 1, as in SQL.
  void Bind(int index, int64_t value);
  void Bind(int index, std::u16string_view text);  // stored as UTF-8
  int ParameterCount() const;
  // The next row: true while there is one. Throws Error on failure.
  bool Step();
  // Ready to run again with new parameters.
  void Reset();

  int64_t Integer(int column) const;
  int Type(int column) const;
  // The column's bytes as text, whatever its type (a number is spelled out,
  // a blob given as it is); at most limit bytes of it.
  std::string_view Text(int column, size_t limit) const;

 private:
  Connection& connection_;
  sqlite3_stmt* statement_ = nullptr;
};

// BEGIN IMMEDIATE: takes the write lock at once (waiting through the busy
// timeout), so two writers never both read and then collide. Rolled back by
// the destructor unless committed.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit();

 private:
  Connection& connection_;
  bool open_ = true;
};

}  // namespace tavlex::sqlite
