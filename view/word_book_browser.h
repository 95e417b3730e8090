// What the word book window does, without the window: the list of kept
// entries newest first under the filter box, the entry chosen and those
// chosen with it, the chosen entry shown in full in its dictionary's fonts,
// Delete and 元に戻す, and what goes into an export. The window only turns
// its events into these calls and shows what they give.
//
// The entries chosen are followed by their ids, so that they stay chosen
// while the filter changes, as long as the filter shows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/dictionary_settings.h"
#include "wordbook/exports.h"
#include "wordbook/word_book_list.h"

namespace tavlex {

// One paragraph of the chosen entry in full: its text, the font (empty face:
// the display's own) and the ranges drawn marked, UTF-16 offsets [begin, end).
struct DetailParagraph {
  struct Range {
    uint32_t begin = 0;
    uint32_t end = 0;
    bool operator==(const Range&) const = default;
  };
  std::u16string text;
  std::u16string face;
  int32_t size = 0;
  std::vector<Range> marks;
  bool operator==(const DetailParagraph&) const = default;
};

// The words the detail puts before what it shows, from the window's strings.
struct DetailLabels {
  std::u16string source;  // before the text the entry was looked up from
  std::u16string kept;    // before the dictionary's name and the time
};

class WordBookBrowser {
 public:
  // The settings of the registered dictionary at a path, for its fonts;
  // none for a dictionary that is not registered (any longer).
  using SettingsOf = std::function<std::optional<DictionarySettings>(std::u16string_view path)>;

  // book must outlive the browser.
  WordBookBrowser(wordbook::WordBook& book, SettingsOf settingsOf);

  const wordbook::BookStatus& status() const { return book_.status(); }
  const std::filesystem::path& file() const { return book_.file(); }

  // Reads the word book anew (another program may have changed it); the
  // entries chosen stay chosen where they are still there.
  void Reload();
  void SetFilter(std::u16string_view text, bool foldKana);

  size_t size() const { return list_.size(); }
  const wordbook::KeptEntry& at(size_t row) const { return list_.at(row); }
  // A row of the list: the headword and the first line of the translation.
  std::u16string RowText(size_t row) const;

  // The rows the window's list has chosen, current the one it shows in full
  // (a row beyond the list: none).
  void Choose(const std::vector<size_t>& rows, std::optional<size_t> current);
  // The rows chosen and the current one now: after a change of the filter or
  // a removal the first row is current when the current one is gone, and
  // chosen when nothing is.
  std::vector<size_t> ChosenRows() const;
  std::optional<size_t> CurrentRow() const;

  // The current entry in full: the parts its dictionary shows, each in the
  // dictionary's font (the default font when the dictionary is not
  // registered), pronunciation and example included; then the text it was
  // looked up from with the covered part marked, and where and when it was
  // kept. Empty without a current entry.
  std::vector<DetailParagraph> Detail(const DetailLabels& labels) const;

  // Removes the chosen entries from the word book: one Delete, undone as a
  // whole. The number removed; error tells why the others were not.
  struct Removal {
    size_t removed = 0;
    std::string error;
  };
  Removal RemoveChosen();
  bool CanUndo() const { return !removals_.empty(); }
  // Puts the entries of the last Delete back; the number put back.
  Removal Undo();

  // The entries to export, newest first: the chosen ones, or with all every
  // entry the filter shows.
  std::vector<wordbook::KeptEntry> EntriesToExport(bool all) const;

 private:
  std::optional<size_t> RowOf(int64_t id) const;
  void KeepChoiceValid();

  wordbook::WordBook& book_;
  wordbook::WordBookList list_;
  SettingsOf settingsOf_;
  std::set<int64_t> chosen_;        // ids
  std::optional<int64_t> current_;  // id
  std::vector<size_t> removals_;    // entries each Delete removed, the last at the back
};

// The export format of the file dialog's filter at index (Anki text, CSV,
// JSON lines, in that order), and path with that format's extension added
// when it has none.
wordbook::ExportFormat ExportFormatAt(int filterIndex);
std::filesystem::path ExportPath(const std::filesystem::path& chosen, wordbook::ExportFormat format);

// Writes entries to path in format, replacing the file whole; the reason
// when it could not be written.
std::optional<std::string> WriteExportFile(const std::filesystem::path& path, wordbook::ExportFormat format,
                                           const std::vector<wordbook::KeptEntry>& entries,
                                           const wordbook::AnkiOptions& anki);

}  // namespace tavlex
