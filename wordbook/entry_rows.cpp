#include "wordbook/entry_rows.h"

#include <algorithm>

#include "base/utf8.h"

namespace tavlex::wordbook {
namespace {

enum Column {
  kId,
  kKeptAt,
  kDictionaryName,
  kDictionaryPath,
  kHeadword,
  kPronunciation,
  kTranslation,
  kExample,
  kSourceText,
  kCoveredBegin,
  kCoveredEnd,
  kEntryHeadword,
  kIdentity,  // written, never read back: the marks read it on their own
};

std::u16string TextOf(const sqlite::Statement& statement, int column) {
  return Utf8ToUtf16(statement.Text(column, kLongestFieldBytes));
}

// A stored offset as one: a negative or oversized value is left to NarrowCoveredRange.
uint32_t OffsetOf(const sqlite::Statement& statement, int column) {
  return static_cast<uint32_t>(std::clamp<int64_t>(statement.Integer(column), 0, UINT32_MAX));
}

}  // namespace

std::string EntryColumns(int64_t schema) {
  // A file before the entry's own headword was kept apart kept the entry
  // under it, as the migration to that version takes it.
  return std::string(
             "id, kept_at, dictionary_name, dictionary_path, headword, pronunciation, translation, example, "
             "source_text, covered_begin, covered_end, ") +
         (schema >= kEntryHeadwordSchema ? "entry_headword" : "headword");
}

#define TAVLEX_INSERTED_COLUMNS                                                                            \
  "INSERT INTO entries (kept_at, dictionary_name, dictionary_path, headword, pronunciation, translation, " \
  "example, source_text, covered_begin, covered_end, entry_headword, identity"
const char kInsertEntry[] =
    TAVLEX_INSERTED_COLUMNS ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)";
const char kRestoreEntry[] =
    TAVLEX_INSERTED_COLUMNS ", id) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)";
#undef TAVLEX_INSERTED_COLUMNS

KeptEntry ReadEntryRow(const sqlite::Statement& statement) {
  KeptEntry entry;
  entry.id = statement.Integer(kId);
  entry.keptAt = std::clamp<int64_t>(statement.Integer(kKeptAt), 0, kLatestTime);
  entry.dictionaryName = TextOf(statement, kDictionaryName);
  entry.dictionaryPath = TextOf(statement, kDictionaryPath);
  entry.headword = TextOf(statement, kHeadword);
  entry.pronunciation = TextOf(statement, kPronunciation);
  entry.translation = TextOf(statement, kTranslation);
  entry.example = TextOf(statement, kExample);
  entry.sourceText = TextOf(statement, kSourceText);
  entry.coveredBegin = OffsetOf(statement, kCoveredBegin);
  entry.coveredEnd = OffsetOf(statement, kCoveredEnd);
  entry.entryHeadword = TextOf(statement, kEntryHeadword);
  NarrowCoveredRange(entry);
  return entry;
}

void BindEntry(sqlite::Statement& statement, const KeptEntry& entry) {
  statement.Bind(kKeptAt, entry.keptAt);
  statement.Bind(kDictionaryName, entry.dictionaryName);
  statement.Bind(kDictionaryPath, entry.dictionaryPath);
  statement.Bind(kHeadword, entry.headword);
  statement.Bind(kPronunciation, entry.pronunciation);
  statement.Bind(kTranslation, entry.translation);
  statement.Bind(kExample, entry.example);
  statement.Bind(kSourceText, entry.sourceText);
  statement.Bind(kCoveredBegin, int64_t{entry.coveredBegin});
  statement.Bind(kCoveredEnd, int64_t{entry.coveredEnd});
  statement.Bind(kEntryHeadword, entry.entryHeadword);
  statement.Bind(kIdentity, static_cast<int64_t>(IdentityHash(IdentityOf(entry))));
  if (statement.ParameterCount() > kIdentity) statement.Bind(kIdentity + 1, entry.id);
}

}  // namespace tavlex::wordbook
