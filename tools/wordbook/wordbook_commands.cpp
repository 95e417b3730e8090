#include "tools/wordbook/wordbook_commands.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>

#include "base/atomic_file.h"
#include "base/lines.h"
#include "base/utf8.h"
#include "engine/entry_parts.h"
#include "wordbook/kept_time.h"

namespace tavlex::wordbook {
namespace {

std::string OneField(std::u16string_view text) {
  std::string field = Utf16ToUtf8(text);
  std::replace(field.begin(), field.end(), '\t', ' ');
  return field;
}

// "no entries", or the word book's problem when it has one, on the standard
// error; the status that goes with it.
ExitStatus ReportStatus(const WordBook& book, const cli::Program& program) {
  const BookStatus& status = book.status();
  if (status.problem == Problem::kNone) return kDone;
  program.Report(Describe(status, book.file()));
  if (status.access == Access::kUnavailable) return kCannotRun;
  return status.problem == Problem::kDamaged ? kNotAll : kDone;
}

// The entries the options name: those of the ids, in their order, or every
// one (since the time given), newest first.
std::vector<KeptEntry> Chosen(const WordBookOptions& options, WordBook& book, const cli::Program& program,
                              ExitStatus& status) {
  if (options.ids.empty()) return book.Entries(options.since.value_or(0));
  std::vector<KeptEntry> entries;
  for (const int64_t id : options.ids) {
    if (std::optional<KeptEntry> entry = book.Find(id)) {
      entries.push_back(std::move(*entry));
    } else {
      program.Report("no entry " + std::to_string(id) + " in " + book.file().string());
      status = kNotAll;
    }
  }
  return entries;
}

ExitStatus Remove(const WordBookOptions& options, WordBook& book, std::ostream& out,
                  const cli::Program& program) {
  ExitStatus status = kDone;
  for (const int64_t id : options.ids) {
    const Change change = book.Remove(id);
    if (change.outcome == Change::kDone) {
      out << "removed " << id << ": " << OneField(change.entry.headword) << '\n';
    } else if (change.outcome == Change::kNotFound) {
      program.Report("no entry " + std::to_string(id) + " in " + book.file().string());
      status = std::max(status, kNotAll);
    } else {
      // A word book that cannot be written is told of once, by the caller.
      if (book.status().access == Access::kWritable) {
        program.Report(book.file().string() + ": entry " + std::to_string(id) +
                       " not removed: " + change.error);
      }
      return kCannotRun;
    }
  }
  return status;
}

ExitStatus Export(const WordBookOptions& options, const std::vector<KeptEntry>& entries, std::ostream& out,
                  const cli::Program& program) {
  if (!options.outPath) {
    WriteExport(options.format, entries, options.anki, out);
    return kDone;
  }
  std::ostringstream text;
  WriteExport(options.format, entries, options.anki, text);
  errno = 0;
  if (!ReplaceFileContents(*options.outPath, text.str(), ::write)) {
    const int error = errno;
    program.Report(*options.outPath + ": cannot write" +
                   (error != 0 ? std::string(": ") + std::strerror(error) : ""));
    return kCannotRun;
  }
  out << entries.size() << (entries.size() == 1 ? " entry" : " entries") << " written to " << *options.outPath
      << '\n';
  return kDone;
}

}  // namespace

std::string ListLine(const KeptEntry& entry) {
  return std::to_string(entry.id) + '\t' + LocalTime(entry.keptAt) + '\t' + OneField(entry.headword) + '\t' +
         OneField(FirstLine(entry.translation)) + '\t' + OneField(entry.dictionaryName) + '\n';
}

std::string ShownEntry(const KeptEntry& entry) {
  std::string out = "[" + std::to_string(entry.id) + "] " + LocalTime(entry.keptAt) + ", " +
                    Utf16ToUtf8(entry.dictionaryName) + " (" + Utf16ToUtf8(entry.dictionaryPath) + ")\n";
  Entry shown;
  shown.key = entry.headword;
  shown.pronunciation = entry.pronunciation;
  shown.translation = entry.translation;
  shown.example = entry.example;
  DictionarySettings everything;
  everything.showPhonetic = true;
  everything.showSample = true;
  for (const EntryPart& part : EntryParts(shown, everything)) out += Utf16ToUtf8(CrLfToLf(part.text)) + '\n';
  if (!entry.sourceText.empty()) {
    const std::u16string_view text = entry.sourceText;
    std::u16string marked(text.substr(0, entry.coveredBegin));
    if (entry.coveredEnd > entry.coveredBegin) {
      marked += u"[" +
                std::u16string(text.substr(entry.coveredBegin, entry.coveredEnd - entry.coveredBegin)) + u"]";
    }
    marked += text.substr(entry.coveredEnd);
    out += "looked up in: " + Utf16ToUtf8(CrLfToLf(marked)) + '\n';
  }
  return out;
}

ExitStatus RunWordBookCommand(const WordBookOptions& options, WordBook& book, std::ostream& out,
                              const cli::Program& program) {
  if (options.command == WordBookCommand::kRemove) {
    const ExitStatus removed = Remove(options, book, out, program);
    return std::max(removed, ReportStatus(book, program));
  }
  ExitStatus status = kDone;
  const std::vector<KeptEntry> entries = Chosen(options, book, program, status);
  status = std::max(status, ReportStatus(book, program));
  if (status == kCannotRun) return status;
  switch (options.command) {
    case WordBookCommand::kList:
      for (const KeptEntry& entry : entries) out << ListLine(entry);
      if (entries.empty() && book.status().problem == Problem::kNone) {
        program.Report("no entries in " + book.file().string());
      }
      break;
    case WordBookCommand::kShow:
      for (size_t i = 0; i < entries.size(); ++i) out << (i ? "\n" : "") << ShownEntry(entries[i]);
      break;
    case WordBookCommand::kExport:
      status = std::max(status, Export(options, entries, out, program));
      break;
    case WordBookCommand::kRemove:
      break;
  }
  return status;
}

}  // namespace tavlex::wordbook
