#include "view/entry_paragraphs.h"

#include "engine/dictionary.h"
#include "engine/entry_parts.h"
#include "platform/qt_text.h"
#include "ui/editor.h"
#include "view/entry_keeping.h"
#include "view/result_lines.h"

namespace tavlex {

void AppendEntryParagraphs(CEditor& display, FontCache& fonts, const wordbook::KeptMarks& marks,
                           const Entry& entry, const std::vector<FieldMatch>& matches,
                           const std::u16string* more) {
  const std::shared_ptr<const Dictionary> dictionary = entry.dictionary.lock();
  const DictionarySettings settings = dictionary ? dictionary->settings() : DictionarySettings();
  const bool kept = dictionary && marks.Contains(wordbook::IdentityOf(entry, dictionary->path()));
  const std::vector<EntryPart> parts = EntryParts(entry, settings);
  for (const EntryPart& part : parts) {
    // The headword line: the display form in its place when the entry has one.
    const bool markHere =
        kept && (part.field == SearchField::kHeadword || part.field == SearchField::kDisplay);
    const int shift = markHere ? static_cast<int>(kKeptMark.size()) : 0;
    std::vector<MarkRange> ranges;
    for (const FieldMatch& match : MatchesOnPart(part, matches)) {
      ranges.push_back({static_cast<int>(match.begin) + shift, static_cast<int>(match.end) + shift});
    }
    const QString text = markHere ? ToQString(std::u16string(kKeptMark) + part.text) : ToQString(part.text);
    display.AppendText(text, fonts.GetFont(ToQString(part.face), part.size), ranges);
  }
  // A match in a field the dictionary hides: its line, named, in the example's font.
  for (const HiddenMatchLine& line : HiddenMatchLines(entry, parts, matches)) {
    std::vector<MarkRange> ranges;
    for (const FieldMatch& mark : line.marks) {
      ranges.push_back({static_cast<int>(mark.begin), static_cast<int>(mark.end)});
    }
    display.AppendText(ToQString(line.text),
                       fonts.GetFont(ToQString(settings.sampleFont), settings.sampleSize), ranges);
  }
  if (more) display.AppendText(ToQString(*more), nullptr);
  display.AppendText(QString(), nullptr);  // a blank line in the default font between entries
}

}  // namespace tavlex
