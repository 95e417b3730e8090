#include "wordbook/sqlite_library.h"

#include <dlfcn.h>

namespace tavlex::sqlite {
namespace {

template <typename Function>
bool Find(void* library, const char* symbol, Function& function, std::string& problem) {
  function = reinterpret_cast<Function>(::dlsym(library, symbol));
  if (function == nullptr && problem.empty()) problem = std::string("no ") + symbol + " in SQLite's library";
  return function != nullptr;
}

}  // namespace

std::optional<Library> LoadLibrary(const char* name, std::string& problem) {
  void* const library = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = ::dlerror();
    problem = std::string("cannot load SQLite (") + name + "): " + (reason ? reason : "not found");
    return std::nullopt;
  }
  Library l;
  problem.clear();
  bool found = true;
  found &= Find(library, "sqlite3_open_v2", l.open_v2, problem);
  found &= Find(library, "sqlite3_close", l.close, problem);
  found &= Find(library, "sqlite3_errmsg", l.errmsg, problem);
  found &= Find(library, "sqlite3_errstr", l.errstr, problem);
  found &= Find(library, "sqlite3_extended_result_codes", l.extended_result_codes, problem);
  found &= Find(library, "sqlite3_extended_errcode", l.extended_errcode, problem);
  found &= Find(library, "sqlite3_exec", l.exec, problem);
  found &= Find(library, "sqlite3_db_readonly", l.db_readonly, problem);
  found &= Find(library, "sqlite3_busy_timeout", l.busy_timeout, problem);
  found &= Find(library, "sqlite3_last_insert_rowid", l.last_insert_rowid, problem);
  found &= Find(library, "sqlite3_changes", l.changes, problem);
  found &= Find(library, "sqlite3_prepare_v2", l.prepare_v2, problem);
  found &= Find(library, "sqlite3_finalize", l.finalize, problem);
  found &= Find(library, "sqlite3_bind_int64", l.bind_int64, problem);
  found &= Find(library, "sqlite3_bind_text64", l.bind_text64, problem);
  found &= Find(library, "sqlite3_bind_parameter_count", l.bind_parameter_count, problem);
  found &= Find(library, "sqlite3_step", l.step, problem);
  found &= Find(library, "sqlite3_reset", l.reset, problem);
  found &= Find(library, "sqlite3_clear_bindings", l.clear_bindings, problem);
  found &= Find(library, "sqlite3_column_int64", l.column_int64, problem);
  found &= Find(library, "sqlite3_column_type", l.column_type, problem);
  found &= Find(library, "sqlite3_column_text", l.column_text, problem);
  found &= Find(library, "sqlite3_column_bytes", l.column_bytes, problem);
  if (!found) return std::nullopt;
  return l;
}

}  // namespace tavlex::sqlite
