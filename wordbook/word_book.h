// WordBook: the entries a user kept, in one SQLite file shared by every
// program of the user at once (the viewers and tavlex-wordbook).
//
// Each change is a transaction of its own, begun with the write lock taken
// (BEGIN IMMEDIATE) and committed to the write-ahead log on the disk before
// it returns: what it confirmed survives a killed program or a crash. A
// change that finds another program's change in progress waits for it
// (kBusyTimeoutMs) instead of failing. The file is made by the first change;
// until then the word book is empty. A file found damaged, newer, foreign or
// write-protected is never written (word_book_file.h); the status says why.
//
// Not thread-safe: one WordBook per thread, as many per file as wanted.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "wordbook/kept_entry.h"
#include "wordbook/sqlite.h"
#include "wordbook/word_book_file.h"

namespace tavlex::wordbook {

// The identities kept, for the marks beside the headwords of a result display.
class KeptMarks {
 public:
  bool Contains(const EntryIdentity& identity) const { return hashes_.contains(IdentityHash(identity)); }
  size_t size() const { return hashes_.size(); }

 private:
  friend class WordBook;
  std::unordered_multiset<uint64_t> hashes_;
};

// What a change did.
struct Change {
  enum Outcome {
    kDone,         // kept, removed or put back
    kAlreadyKept,  // Keep, Restore: an entry of the same identity is kept; entry is that one
    kNotFound,     // Remove: no entry of that id
    kFailed,       // error says why; status() tells whether the word book became read-only
  };
  Outcome outcome = kFailed;
  KeptEntry entry;  // as stored: kept (with its id and time), found, or removed
  std::string error;
};

class WordBook {
 public:
  // Opens file when it exists; WordBookPath() gives the user's.
  explicit WordBook(std::filesystem::path file);
  ~WordBook();
  WordBook(const WordBook&) = delete;
  WordBook& operator=(const WordBook&) = delete;

  const std::filesystem::path& file() const { return file_; }
  const BookStatus& status() const { return status_; }

  // Keeps entry once, with a new id, at entry.keptAt or now when that is 0.
  // Texts longer than kLongestField are cut, the covered range narrowed.
  Change Keep(KeptEntry entry);
  // Removes the entry of that id; Change::entry is what it was, for Restore.
  Change Remove(int64_t id);
  // Puts a removed entry back as it was: its id and its time.
  Change Restore(const KeptEntry& entry);

  // The entries kept at or after since (milliseconds since 1970 UTC), newest
  // first. On a file that cannot be read to the end, those read before the
  // damage; status() then says so.
  std::vector<KeptEntry> Entries(int64_t since = 0);
  std::optional<KeptEntry> Find(int64_t id);

  // The identities kept now. Reloaded only when another program changed the
  // file since the last call (a cheap check), so it can be asked at every
  // redraw of a result display.
  const KeptMarks& Marks();

  // The longest text kept in a field, in UTF-16 units: what fits in
  // kLongestFieldBytes of UTF-8 whatever the text.
  static constexpr size_t kLongestField = (size_t{1} << 20) / 3;

 private:
  // Opens the file if that has not been done and it exists; false when
  // there is nothing to read.
  bool Connected();
  // Connected to a file that may be written, made first if need be.
  bool Writable();
  // A change that failed: the status follows what SQLite found.
  Change Failed(const sqlite::Error& error);
  // A read that failed: the status says so, until the next change succeeds.
  void ReadFailed(const sqlite::Error& error);
  // The marks after a change of entry (kept: added; else removed).
  void Succeeded(const KeptEntry& entry, bool kept);
  void Reopened(OpenedFile opened);
  std::optional<KeptEntry> FindKept(const EntryIdentity& identity);
  void InsertInto(KeptEntry& entry, const char* sql);
  int64_t DataVersion();

  // Whether the file the connection has open is still the one at file_: a
  // word book removed or moved aside is made anew, not written into unseen.
  bool StillThere() const;

  std::filesystem::path file_;
  BookStatus status_;
  std::optional<std::pair<uint64_t, uint64_t>> openedFile_;  // device and inode of what db_ has open
  std::unique_ptr<sqlite::Connection> db_;
  std::unique_ptr<sqlite::Statement> dataVersion_;  // PRAGMA data_version, prepared once
  std::string select_;  // "SELECT the entry's columns FROM entries ", for the version of the file open
  KeptMarks marks_;
  std::optional<int64_t> marksVersion_;  // the data version marks_ were read at; none: not read
};

}  // namespace tavlex::wordbook
