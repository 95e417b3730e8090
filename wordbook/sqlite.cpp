#include "wordbook/sqlite.h"

#include <algorithm>

#include "base/utf8.h"
#include "wordbook/sqlite_library.h"

namespace tavlex::sqlite {
namespace {

// The library, loaded by the first call on any thread; throws Error when it cannot be.
const Library& Sqlite() {
  static std::string problem;
  static const std::optional<Library> library = LoadLibrary(kLibraryName, problem);
  if (!library) throw Error(SQLITE_CANTOPEN, problem);
  return *library;
}

}  // namespace

Connection::Connection(const std::filesystem::path& file, int flags) {
  const Library& sqlite = Sqlite();
  const int result = sqlite.open_v2(file.c_str(), &db_, flags, nullptr);
  if (result != SQLITE_OK) {
    // A handle comes back even on failure, holding the message.
    const std::string message = db_ ? sqlite.errmsg(db_) : sqlite.errstr(result);
    sqlite.close(db_);
    db_ = nullptr;
    throw Error(result, message);
  }
  sqlite.extended_result_codes(db_, 1);
}

// A connection exists only once the library was loaded.
Connection::~Connection() { Sqlite().close(db_); }

void Connection::Fail(int result) const {
  const int extended = Sqlite().extended_errcode(db_);
  throw Error((extended & 0xff) == (result & 0xff) ? extended : result, Sqlite().errmsg(db_));
}

void Connection::Execute(const char* sql) {
  const int result = Sqlite().exec(db_, sql, nullptr, nullptr, nullptr);
  if (result != SQLITE_OK) Fail(result);
}

int64_t Connection::Integer(const char* sql) {
  Statement statement(*this, sql);
  return statement.Step() ? statement.Integer(0) : 0;
}

bool Connection::ReadOnly() const { return Sqlite().db_readonly(db_, "main") == 1; }

int64_t Connection::LastInsertId() const { return Sqlite().last_insert_rowid(db_); }

int Connection::Changes() const { return Sqlite().changes(db_); }

void Connection::SetBusyTimeout(int milliseconds) { Sqlite().busy_timeout(db_, milliseconds); }

Statement::Statement(Connection& connection, std::string_view sql) : connection_(connection) {
  const int result = Sqlite().prepare_v2(connection.handle(), sql.data(), static_cast<int>(sql.size()),
                                         &statement_, nullptr);
  if (result != SQLITE_OK) connection.Fail(result);
}

Statement::~Statement() { Sqlite().finalize(statement_); }

void Statement::Bind(int index, int64_t value) {
  const int result = Sqlite().bind_int64(statement_, index, value);
  if (result != SQLITE_OK) connection_.Fail(result);
}

void Statement::Bind(int index, std::u16string_view text) {
  const std::string utf8 = Utf16ToUtf8(text);
  const int result =
      Sqlite().bind_text64(statement_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  if (result != SQLITE_OK) connection_.Fail(result);
}

bool Statement::Step() {
  const int result = Sqlite().step(statement_);
  if (result == SQLITE_ROW) return true;
  if (result == SQLITE_DONE) return false;
  connection_.Fail(result);
}

void Statement::Reset() {
  Sqlite().reset(statement_);
  Sqlite().clear_bindings(statement_);
}

int Statement::ParameterCount() const { return Sqlite().bind_parameter_count(statement_); }

int64_t Statement::Integer(int column) const { return Sqlite().column_int64(statement_, column); }

int Statement::Type(int column) const { return Sqlite().column_type(statement_, column); }

std::string_view Statement::Text(int column, size_t limit) const {
  const auto* text = reinterpret_cast<const char*>(Sqlite().column_text(statement_, column));
  if (text == nullptr) return {};
  const auto size = static_cast<size_t>(Sqlite().column_bytes(statement_, column));
  return {text, std::min(size, limit)};
}

Transaction::Transaction(Connection& connection) : connection_(connection) {
  connection.Execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (open_) Sqlite().exec(connection_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
  connection_.Execute("COMMIT");
  open_ = false;
}

}  // namespace tavlex::sqlite
