#include "wordbook/sqlite.h"

#include <algorithm>

#include "base/utf8.h"

namespace tavlex::sqlite {

Connection::Connection(const std::filesystem::path& file, int flags) {
  const int result = sqlite3_open_v2(file.c_str(), &db_, flags, nullptr);
  if (result != SQLITE_OK) {
    // A handle comes back even on failure, holding the message.
    const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(result);
    sqlite3_close(db_);
    db_ = nullptr;
    throw Error(result, message);
  }
  sqlite3_extended_result_codes(db_, 1);
}

Connection::~Connection() { sqlite3_close(db_); }

void Connection::Fail(int result) const {
  const int extended = sqlite3_extended_errcode(db_);
  throw Error((extended & 0xff) == (result & 0xff) ? extended : result, sqlite3_errmsg(db_));
}

void Connection::Execute(const char* sql) {
  const int result = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (result != SQLITE_OK) Fail(result);
}

int64_t Connection::Integer(const char* sql) {
  Statement statement(*this, sql);
  return statement.Step() ? statement.Integer(0) : 0;
}

bool Connection::ReadOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }

Statement::Statement(Connection& connection, std::string_view sql) : connection_(connection) {
  const int result =
      sqlite3_prepare_v2(connection.handle(), sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
  if (result != SQLITE_OK) connection.Fail(result);
}

Statement::~Statement() { sqlite3_finalize(statement_); }

void Statement::Bind(int index, int64_t value) {
  const int result = sqlite3_bind_int64(statement_, index, value);
  if (result != SQLITE_OK) connection_.Fail(result);
}

void Statement::Bind(int index, std::u16string_view text) {
  const std::string utf8 = Utf16ToUtf8(text);
  const int result =
      sqlite3_bind_text64(statement_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  if (result != SQLITE_OK) connection_.Fail(result);
}

bool Statement::Step() {
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW) return true;
  if (result == SQLITE_DONE) return false;
  connection_.Fail(result);
}

void Statement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

std::string_view Statement::Text(int column, size_t limit) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  if (text == nullptr) return {};
  const auto size = static_cast<size_t>(sqlite3_column_bytes(statement_, column));
  return {text, std::min(size, limit)};
}

Transaction::Transaction(Connection& connection) : connection_(connection) {
  connection.Execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (open_) sqlite3_exec(connection_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
  connection_.Execute("COMMIT");
  open_ = false;
}

}  // namespace tavlex::sqlite
