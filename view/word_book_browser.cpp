#include "view/word_book_browser.h"

#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <system_error>

#include "base/atomic_file.h"
#include "base/lines.h"
#include "base/utf8.h"
#include "engine/entry_parts.h"
#include "wordbook/kept_time.h"

namespace tavlex {
namespace {

using wordbook::Change;
using wordbook::ExportFormat;
using wordbook::KeptEntry;

// Between the headword and the translation in a row of the list.
constexpr std::u16string_view kRowSeparator = u"  —  ";
// Between the dictionary's name and the time in the detail.
constexpr std::u16string_view kKeptSeparator = u", ";

// The entry as the dictionary gave it: the kept headword is the form shown.
Entry AsEntry(const KeptEntry& kept) {
  Entry entry;
  entry.key = kept.headword;
  entry.translation = kept.translation;
  entry.pronunciation = kept.pronunciation;
  entry.example = kept.example;
  return entry;
}

}  // namespace

WordBookBrowser::WordBookBrowser(wordbook::WordBook& book, SettingsOf settingsOf)
    : book_(book), list_(book), settingsOf_(std::move(settingsOf)) {
  KeepChoiceValid();
}

void WordBookBrowser::Reload() {
  list_.Reload();
  KeepChoiceValid();
}

void WordBookBrowser::SetFilter(std::u16string_view text, bool foldKana) {
  list_.SetFilter(text, foldKana);
  KeepChoiceValid();
}

std::u16string WordBookBrowser::RowText(size_t row) const {
  const KeptEntry& entry = list_.at(row);
  std::u16string text = entry.headword;
  const std::u16string_view translation = FirstLine(entry.translation);
  if (!translation.empty()) {
    text += kRowSeparator;
    text += translation;
  }
  return text;
}

std::optional<size_t> WordBookBrowser::RowOf(int64_t id) const {
  for (size_t row = 0; row < list_.size(); ++row) {
    if (list_.at(row).id == id) return row;
  }
  return std::nullopt;
}

void WordBookBrowser::Choose(const std::vector<size_t>& rows, std::optional<size_t> current) {
  chosen_.clear();
  for (const size_t row : rows) {
    if (row < list_.size()) chosen_.insert(list_.at(row).id);
  }
  current_.reset();
  if (current && *current < list_.size()) current_ = list_.at(*current).id;
  KeepChoiceValid();
}

void WordBookBrowser::KeepChoiceValid() {
  std::set<int64_t> shown;
  for (size_t row = 0; row < list_.size(); ++row) {
    if (chosen_.contains(list_.at(row).id)) shown.insert(list_.at(row).id);
  }
  chosen_ = std::move(shown);
  if (current_ && !RowOf(*current_)) current_.reset();
  if (!current_ && list_.size() > 0) {
    const std::vector<size_t> rows = ChosenRows();
    current_ = list_.at(rows.empty() ? 0 : rows.front()).id;
  }
  if (chosen_.empty() && current_) chosen_.insert(*current_);
}

std::vector<size_t> WordBookBrowser::ChosenRows() const {
  std::vector<size_t> rows;
  for (size_t row = 0; row < list_.size(); ++row) {
    if (chosen_.contains(list_.at(row).id)) rows.push_back(row);
  }
  return rows;
}

std::optional<size_t> WordBookBrowser::CurrentRow() const {
  return current_ ? RowOf(*current_) : std::nullopt;
}

std::vector<DetailParagraph> WordBookBrowser::Detail(const DetailLabels& labels) const {
  const std::optional<size_t> row = CurrentRow();
  if (!row) return {};
  const KeptEntry& kept = list_.at(*row);
  DictionarySettings settings =
      settingsOf_ ? settingsOf_(kept.dictionaryPath).value_or(DictionarySettings{}) : DictionarySettings{};
  // In full, whatever the dictionary's display hides.
  settings.showPhonetic = true;
  settings.showSample = true;
  std::vector<DetailParagraph> paragraphs;
  for (EntryPart& part : EntryParts(AsEntry(kept), settings)) {
    paragraphs.push_back({std::move(part.text), std::move(part.face), part.size, {}});
  }
  paragraphs.push_back({});
  if (!kept.sourceText.empty()) {
    DetailParagraph source{labels.source + kept.sourceText, {}, 0, {}};
    if (kept.coveredBegin < kept.coveredEnd) {
      const auto shift = static_cast<uint32_t>(labels.source.size());
      source.marks.push_back({kept.coveredBegin + shift, kept.coveredEnd + shift});
    }
    paragraphs.push_back(std::move(source));
  }
  paragraphs.push_back({labels.kept + kept.dictionaryName + std::u16string(kKeptSeparator) +
                            Utf8ToUtf16(wordbook::LocalTime(kept.keptAt)),
                        {},
                        0,
                        {}});
  return paragraphs;
}

WordBookBrowser::Removal WordBookBrowser::RemoveChosen() {
  Removal removal;
  const std::optional<size_t> currentRow = CurrentRow();
  const std::vector<int64_t> ids(chosen_.begin(), chosen_.end());
  for (const int64_t id : ids) {
    const std::optional<size_t> row = RowOf(id);
    if (!row) continue;
    const Change change = list_.Remove(*row);
    if (change.outcome == Change::kDone) {
      ++removal.removed;
    } else if (change.outcome == Change::kFailed) {
      removal.error = change.error;
      break;
    }
  }
  if (removal.removed > 0) removals_.push_back(removal.removed);
  // The entry that followed the current one takes its place, as in any list.
  chosen_.clear();
  current_.reset();
  if (currentRow && list_.size() > 0) current_ = list_.at(std::min(*currentRow, list_.size() - 1)).id;
  KeepChoiceValid();
  return removal;
}

WordBookBrowser::Removal WordBookBrowser::Undo() {
  Removal undone;
  if (removals_.empty()) return undone;
  std::set<int64_t> restored;
  while (removals_.back() > 0) {
    const Change change = list_.Undo();
    if (change.outcome == Change::kFailed) {
      undone.error = change.error;
      break;
    }
    --removals_.back();
    ++undone.removed;
    restored.insert(change.entry.id);
  }
  if (removals_.back() == 0) removals_.pop_back();
  if (!restored.empty()) {
    chosen_ = std::move(restored);
    current_.reset();
  }
  KeepChoiceValid();
  return undone;
}

std::vector<KeptEntry> WordBookBrowser::EntriesToExport(bool all) const {
  std::vector<KeptEntry> entries;
  for (size_t row = 0; row < list_.size(); ++row) {
    if (all || chosen_.contains(list_.at(row).id)) entries.push_back(list_.at(row));
  }
  return entries;
}

ExportFormat ExportFormatAt(int filterIndex) {
  switch (filterIndex) {
    case 1:
      return ExportFormat::kCsv;
    case 2:
      return ExportFormat::kJsonLines;
    default:
      return ExportFormat::kAnki;
  }
}

std::filesystem::path ExportPath(const std::filesystem::path& chosen, ExportFormat format) {
  if (chosen.has_extension()) return chosen;
  std::filesystem::path path = chosen;
  switch (format) {
    case ExportFormat::kAnki:
      return path += ".txt";
    case ExportFormat::kCsv:
      return path += ".csv";
    case ExportFormat::kJsonLines:
      return path += ".jsonl";
  }
  return path;
}

std::optional<std::string> WriteExportFile(const std::filesystem::path& path, ExportFormat format,
                                           const std::vector<KeptEntry>& entries,
                                           const wordbook::AnkiOptions& anki) {
  std::ostringstream text;
  wordbook::WriteExport(format, entries, anki, text);
  std::error_code error;
  if (ReplaceFileContents(path, text.str(), ::write, &error)) return std::nullopt;
  return error ? error.message() : std::string("cannot write");
}

}  // namespace tavlex
