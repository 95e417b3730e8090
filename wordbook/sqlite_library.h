// The functions of the system's SQLite library that the word book calls,
// found when the first word book opens (dlopen) instead of when a program
// starts: tavlex-lookup opens a word book only for --keep, and the start of
// every other look-up was loading SQLite and binding its 1,600 symbols
// (bench/README.md). The library is the system's own, bound at once.
#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>

namespace tavlex::sqlite {

inline constexpr char kLibraryName[] = "libsqlite3.so.0";

struct Library {
  decltype(&sqlite3_open_v2) open_v2 = nullptr;
  decltype(&sqlite3_close) close = nullptr;
  decltype(&sqlite3_errmsg) errmsg = nullptr;
  decltype(&sqlite3_errstr) errstr = nullptr;
  decltype(&sqlite3_extended_result_codes) extended_result_codes = nullptr;
  decltype(&sqlite3_extended_errcode) extended_errcode = nullptr;
  decltype(&sqlite3_exec) exec = nullptr;
  decltype(&sqlite3_db_readonly) db_readonly = nullptr;
  decltype(&sqlite3_busy_timeout) busy_timeout = nullptr;
  decltype(&sqlite3_last_insert_rowid) last_insert_rowid = nullptr;
  decltype(&sqlite3_changes) changes = nullptr;
  decltype(&sqlite3_prepare_v2) prepare_v2 = nullptr;
  decltype(&sqlite3_finalize) finalize = nullptr;
  decltype(&sqlite3_bind_int64) bind_int64 = nullptr;
  decltype(&sqlite3_bind_text64) bind_text64 = nullptr;
  decltype(&sqlite3_bind_parameter_count) bind_parameter_count = nullptr;
  decltype(&sqlite3_step) step = nullptr;
  decltype(&sqlite3_reset) reset = nullptr;
  decltype(&sqlite3_clear_bindings) clear_bindings = nullptr;
  decltype(&sqlite3_column_int64) column_int64 = nullptr;
  decltype(&sqlite3_column_type) column_type = nullptr;
  decltype(&sqlite3_column_text) column_text = nullptr;
  decltype(&sqlite3_column_bytes) column_bytes = nullptr;
};

// The library of that name with every function above, or none, problem then
// saying why (no such library, a function missing). Never unloaded.
std::optional<Library> LoadLibrary(const char* name, std::string& problem);

}  // namespace tavlex::sqlite
