// The entries table's rows, read and written. A row may come from a file of
// any origin (a newer version's, a damaged one, one edited by hand), so every
// column is taken as untrusted: any type is read as text or a number, a text
// is cut at kLongestFieldBytes, a malformed UTF-8 sequence becomes U+FFFD, a
// time is brought within years 0 to 9999 and the covered range within the
// source text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "wordbook/kept_entry.h"
#include "wordbook/sqlite.h"

namespace tavlex::wordbook {

// The columns ReadEntryRow reads, in its order, for a SELECT from a file of
// that schema version.
std::string EntryColumns(int64_t schema);
// The schema version that keeps the entry's own headword beside the form found.
inline constexpr int64_t kEntryHeadwordSchema = 2;
// The longest text read from a column, in bytes.
inline constexpr size_t kLongestFieldBytes = size_t{1} << 20;
// The latest time kept: 9999-12-31 23:59:59.999 UTC.
inline constexpr int64_t kLatestTime = 253'402'300'799'999;

// The entry in the row at statement's first column onwards.
KeptEntry ReadEntryRow(const sqlite::Statement& statement);

// An entry added with a new id, and one put back with its own.
extern const char kInsertEntry[];
extern const char kRestoreEntry[];
// Binds entry to one of them: its fields, its identity hash, and for
// kRestoreEntry its id.
void BindEntry(sqlite::Statement& statement, const KeptEntry& entry);

}  // namespace tavlex::wordbook
