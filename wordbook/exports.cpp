#include "wordbook/exports.h"

#include <nlohmann/json.hpp>

#include "base/utf8.h"
#include "wordbook/kept_fields.h"
#include "wordbook/kept_time.h"

namespace tavlex::wordbook {
namespace {

using Record = nlohmann::ordered_json;

// The names of the Anki file's columns, in kKeptFields' order.
constexpr std::array<std::string_view, kKeptFields.size()> kAnkiColumns = {
    "Front", "Back", "Pronunciation", "Example", "Source", "Dictionary"};

// A header's value on one line: a line break would end the header early.
std::string OneLine(std::string value) {
  for (char& c : value) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return value;
}

// The columns of the CSV file and the JSON lines, in their order.
Record RecordOf(const KeptEntry& entry) {
  Record record;
  record["id"] = entry.id;
  record["kept"] = UtcTime(entry.keptAt);
  record["dictionary"] = Utf16ToUtf8(entry.dictionaryPath);
  record["dictionary_name"] = Utf16ToUtf8(entry.dictionaryName);
  record["headword"] = Utf16ToUtf8(entry.headword);
  record["pronunciation"] = Utf16ToUtf8(entry.pronunciation);
  record["translation"] = Utf16ToUtf8(entry.translation);
  record["example"] = Utf16ToUtf8(entry.example);
  record["source"] = Utf16ToUtf8(entry.sourceText);
  record["covered_begin"] = entry.coveredBegin;
  record["covered_end"] = entry.coveredEnd;
  return record;
}

void WriteCsvField(const std::string& field, std::ostream& out) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    out << field;
    return;
  }
  out << '"';
  for (const char c : field) {
    if (c == '"') out << '"';
    out << c;
  }
  out << '"';
}

void WriteCsvRow(const Record& record, bool names, std::ostream& out) {
  bool first = true;
  for (const auto& [name, value] : record.items()) {
    if (!first) out << ',';
    first = false;
    WriteCsvField(names ? name : value.is_string() ? value.get<std::string>() : value.dump(), out);
  }
  out << "\r\n";
}

}  // namespace

void WriteAnkiText(std::span<const KeptEntry> entries, const AnkiOptions& options, std::ostream& out) {
  out << "#separator:tab\n#html:true\n";
  out << "#notetype:" << OneLine(options.noteType) << '\n';
  out << "#deck:" << OneLine(options.deck) << '\n';
  if (!options.tags.empty()) out << "#tags:" << OneLine(options.tags) << '\n';
  out << "#columns:";
  for (size_t i = 0; i < kAnkiColumns.size(); ++i) out << (i ? "\t" : "") << kAnkiColumns[i];
  out << '\n';
  for (const KeptEntry& entry : entries) {
    for (const KeptField field : kKeptFields) {
      std::string html = FieldHtml(entry, field);
      // Anki takes a line that begins with # for a comment.
      if (field == kKeptFields.front() && html.starts_with('#')) html.replace(0, 1, "&#35;");
      out << (field == kKeptFields.front() ? "" : "\t") << html;
    }
    out << '\n';
  }
}

void WriteCsv(std::span<const KeptEntry> entries, std::ostream& out) {
  WriteCsvRow(RecordOf(KeptEntry{}), true, out);
  for (const KeptEntry& entry : entries) WriteCsvRow(RecordOf(entry), false, out);
}

void WriteJsonLines(std::span<const KeptEntry> entries, std::ostream& out) {
  for (const KeptEntry& entry : entries) {
    out << RecordOf(entry).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  }
}

void WriteExport(ExportFormat format, std::span<const KeptEntry> entries, const AnkiOptions& anki,
                 std::ostream& out) {
  switch (format) {
    case ExportFormat::kAnki:
      WriteAnkiText(entries, anki, out);
      break;
    case ExportFormat::kCsv:
      WriteCsv(entries, out);
      break;
    case ExportFormat::kJsonLines:
      WriteJsonLines(entries, out);
      break;
  }
}

}  // namespace tavlex::wordbook
