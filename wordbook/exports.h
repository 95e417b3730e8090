// The word book written out for other programs: a text file that Anki
// imports as it stands, CSV, and JSON lines. Each writes the entries in the
// order given, in UTF-8.
#pragma once

#include <ostream>
#include <span>
#include <string>

#include "wordbook/kept_entry.h"

namespace tavlex::wordbook {

enum class ExportFormat { kAnki, kCsv, kJsonLines };

// What Anki's file headers name: the note type, the deck, and the tags every
// note gets (separated by spaces).
struct AnkiOptions {
  std::string noteType = "Basic";
  std::string deck = "Default";
  std::string tags = "tavlex";
};

// Anki's text import format: the headers (#separator:tab, #html:true,
// #notetype, #deck, #tags, #columns), then a line per entry, its fields as
// FieldHtml gives them in kKeptFields' order. The first two columns are
// called Front and Back, so that Anki's Basic note type takes the headword
// and the translation by name; the others bear their fields' names.
void WriteAnkiText(std::span<const KeptEntry> entries, const AnkiOptions& options, std::ostream& out);

// RFC 4180: a header row, CR LF after each row, a field in double quotes
// (doubled inside) when it holds a comma, a quote or a line break. The
// columns are those of the JSON lines.
void WriteCsv(std::span<const KeptEntry> entries, std::ostream& out);

// One JSON object a line: id, kept (ISO 8601, UTC), dictionary (its path),
// dictionary_name, headword, pronunciation, translation, example, source,
// covered_begin and covered_end (UTF-16 offsets into source).
void WriteJsonLines(std::span<const KeptEntry> entries, std::ostream& out);

void WriteExport(ExportFormat format, std::span<const KeptEntry> entries, const AnkiOptions& anki,
                 std::ostream& out);

}  // namespace tavlex::wordbook
