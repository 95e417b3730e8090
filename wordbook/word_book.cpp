#include "wordbook/word_book.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <system_error>

#include "wordbook/entry_rows.h"

namespace tavlex::wordbook {
namespace {

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void Cut(std::u16string& text) {
  if (text.size() > WordBook::kLongestField) text.resize(WordBook::kLongestField);
}

// The entry as it will be stored: its texts within their limit, its range within its text.
void Tidy(KeptEntry& entry) {
  for (std::u16string* text :
       {&entry.dictionaryName, &entry.dictionaryPath, &entry.headword, &entry.pronunciation,
        &entry.translation, &entry.example, &entry.sourceText, &entry.entryHeadword}) {
    Cut(*text);
  }
  if (entry.entryHeadword.empty()) entry.entryHeadword = entry.headword;
  NarrowCoveredRange(entry);
}

std::optional<std::pair<uint64_t, uint64_t>> FileIdOf(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return std::nullopt;
  return std::pair<uint64_t, uint64_t>(info.st_dev, info.st_ino);
}

}  // namespace

WordBook::WordBook(std::filesystem::path file) : file_(std::move(file)) { Connected(); }

WordBook::~WordBook() = default;

void WordBook::Reopened(OpenedFile opened) {
  dataVersion_.reset();
  marksVersion_.reset();
  db_ = std::move(opened.connection);
  status_ = std::move(opened.status);
  openedFile_ = db_ ? FileIdOf(file_) : std::nullopt;
  // A file of an older version is read as it stands when it cannot be migrated.
  int64_t schema = kSchemaVersion;
  try {
    if (db_) schema = db_->Integer("PRAGMA user_version");
  } catch (const sqlite::Error&) {
    // Unreadable: the first read says why.
  }
  select_ = "SELECT " + EntryColumns(schema) + " FROM entries ";
}

bool WordBook::StillThere() const { return openedFile_ && FileIdOf(file_) == openedFile_; }

bool WordBook::Connected() {
  if (db_) return true;
  if (status_.access == Access::kUnavailable && status_.problem != Problem::kBusy) return false;
  Reopened(OpenWordBookFile(file_, false));
  return db_ != nullptr;
}

bool WordBook::Writable() {
  // A file that could not be written may have been mended or moved aside since.
  if (!db_ || status_.access != Access::kWritable || !StillThere()) Reopened(OpenWordBookFile(file_, true));
  return db_ && status_.access == Access::kWritable;
}

Change WordBook::Failed(const sqlite::Error& error) {
  const BookStatus found = StatusOfError(error);
  if (found.access != Access::kWritable) {
    // Never written again: read through a read-only connection from now on.
    Reopened(found.access == Access::kReadOnly ? ReopenReadOnly(file_, found) : OpenedFile{nullptr, found});
  }
  // Otherwise busy, a full disk, an I/O error: this change failed, the next may not.
  return {Change::kFailed, {}, error.what()};
}

void WordBook::ReadFailed(const sqlite::Error& error) {
  const BookStatus found = StatusOfError(error);
  if (found.access != Access::kWritable) {
    Failed(error);
  } else if (status_.access == Access::kWritable) {
    status_.problem = found.problem;
    status_.detail = error.what();
  } else {
    // A file that could only be read, and cannot be read either (a newer
    // version's with other columns): nothing more is tried.
    status_.access = Access::kUnavailable;
    status_.detail += std::string(status_.detail.empty() ? "" : "; ") + error.what();
    Reopened({nullptr, status_});
  }
}

void WordBook::Succeeded(const KeptEntry& entry, bool kept) {
  status_ = {};
  const uint64_t hash = IdentityHash(IdentityOf(entry));
  if (kept) {
    marks_.hashes_.insert(hash);
  } else if (const auto mark = marks_.hashes_.find(hash); mark != marks_.hashes_.end()) {
    marks_.hashes_.erase(mark);
  }
}

std::optional<KeptEntry> WordBook::FindKept(const EntryIdentity& identity) {
  sqlite::Statement find(*db_, select_ +
                                   "WHERE identity = ?1 AND dictionary_path = ?2 AND entry_headword = ?3 AND "
                                   "translation = ?4 LIMIT 1");
  find.Bind(1, static_cast<int64_t>(IdentityHash(identity)));
  find.Bind(2, identity.dictionaryPath);
  find.Bind(3, identity.headword);
  find.Bind(4, identity.translation);
  if (!find.Step()) return std::nullopt;
  return ReadEntryRow(find);
}

void WordBook::InsertInto(KeptEntry& entry, const char* sql) {
  sqlite::Statement insert(*db_, sql);
  BindEntry(insert, entry);
  insert.Step();
  entry.id = db_->LastInsertId();
}

Change WordBook::Keep(KeptEntry entry) {
  if (!Writable()) return {Change::kFailed, {}, Describe(status_, file_)};
  if (entry.keptAt == 0) entry.keptAt = NowMs();
  entry.keptAt = std::clamp<int64_t>(entry.keptAt, 0, kLatestTime);
  Tidy(entry);
  try {
    sqlite::Transaction transaction(*db_);
    if (std::optional<KeptEntry> kept = FindKept(IdentityOf(entry))) {
      return {Change::kAlreadyKept, std::move(*kept), ""};
    }
    InsertInto(entry, kInsertEntry);
    transaction.Commit();
  } catch (const sqlite::Error& error) {
    return Failed(error);
  }
  Succeeded(entry, true);
  return {Change::kDone, std::move(entry), ""};
}

Change WordBook::Restore(const KeptEntry& removed) {
  if (!Writable()) return {Change::kFailed, {}, Describe(status_, file_)};
  KeptEntry entry = removed;
  Tidy(entry);
  try {
    sqlite::Transaction transaction(*db_);
    if (std::optional<KeptEntry> kept = FindKept(IdentityOf(entry))) {
      return {Change::kAlreadyKept, std::move(*kept), ""};
    }
    // Ids are never given twice, so the id is free unless the entry was
    // never removed (or never had one); then it comes back under a new one.
    sqlite::Statement taken(*db_, "SELECT 1 FROM entries WHERE id = ?1");
    taken.Bind(1, entry.id);
    InsertInto(entry, entry.id <= 0 || taken.Step() ? kInsertEntry : kRestoreEntry);
    transaction.Commit();
  } catch (const sqlite::Error& error) {
    return Failed(error);
  }
  Succeeded(entry, true);
  return {Change::kDone, std::move(entry), ""};
}

Change WordBook::Remove(int64_t id) {
  if (!Connected()) return {Change::kNotFound, {}, ""};
  if (!Writable()) return {Change::kFailed, {}, Describe(status_, file_)};
  KeptEntry entry;
  try {
    sqlite::Transaction transaction(*db_);
    sqlite::Statement find(*db_, select_ + "WHERE id = ?1");
    find.Bind(1, id);
    if (!find.Step()) return {Change::kNotFound, {}, ""};
    entry = ReadEntryRow(find);
    sqlite::Statement remove(*db_, "DELETE FROM entries WHERE id = ?1");
    remove.Bind(1, id);
    remove.Step();
    transaction.Commit();
  } catch (const sqlite::Error& error) {
    return Failed(error);
  }
  Succeeded(entry, false);
  return {Change::kDone, std::move(entry), ""};
}

std::vector<KeptEntry> WordBook::Entries(int64_t since) {
  std::vector<KeptEntry> entries;
  if (!Connected()) return entries;
  try {
    sqlite::Statement select(*db_, select_ + "WHERE kept_at >= ?1 ORDER BY kept_at DESC, id DESC");
    select.Bind(1, since);
    while (select.Step()) entries.push_back(ReadEntryRow(select));
  } catch (const sqlite::Error& error) {
    ReadFailed(error);
  }
  return entries;
}

std::optional<KeptEntry> WordBook::Find(int64_t id) {
  if (!Connected()) return std::nullopt;
  try {
    sqlite::Statement find(*db_, select_ + "WHERE id = ?1");
    find.Bind(1, id);
    if (find.Step()) return ReadEntryRow(find);
  } catch (const sqlite::Error& error) {
    ReadFailed(error);
  }
  return std::nullopt;
}

int64_t WordBook::DataVersion() {
  if (!dataVersion_) dataVersion_ = std::make_unique<sqlite::Statement>(*db_, "PRAGMA data_version");
  const int64_t version = dataVersion_->Step() ? dataVersion_->Integer(0) : 0;
  // Finished at once: a statement left on its row would hold a read
  // transaction open, and a later change would find its snapshot stale.
  dataVersion_->Reset();
  return version;
}

const KeptMarks& WordBook::Marks() {
  std::error_code error;
  // The file may have been made by another program since.
  if (!db_ && !std::filesystem::exists(file_, error)) return marks_;
  if (!Connected()) return marks_;
  try {
    const int64_t version = DataVersion();
    if (marksVersion_ == version) return marks_;
    marks_.hashes_.clear();
    sqlite::Statement select(*db_, "SELECT identity FROM entries");
    while (select.Step()) marks_.hashes_.insert(static_cast<uint64_t>(select.Integer(0)));
    marksVersion_ = version;
  } catch (const sqlite::Error& error) {
    ReadFailed(error);
  }
  return marks_;
}

}  // namespace tavlex::wordbook
