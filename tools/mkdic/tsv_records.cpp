#include "tools/mkdic/tsv_records.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "base/lines.h"
#include "base/utf8.h"
#include "tools/formats/tsv_escapes.h"

namespace tavlex::mkdic {

using formats::TsvError;
using formats::UnescapeField;

namespace {

constexpr char16_t kColumnSeparator = u'\t';
constexpr char16_t kFirstPrintable = u' ';
constexpr size_t kCodePointText = sizeof "U+0000";
constexpr size_t kRequiredColumns = 3;  // key, display, translation
constexpr size_t kMaxColumns = 5;       // and pronunciation, example
constexpr std::u16string_view kKeyBreakers = u"\t\r\n";

// None when the line is not valid UTF-8.
std::optional<std::u16string> DecodeLine(std::string_view line) {
  size_t replaced = 0;
  std::u16string text = Utf8ToUtf16(line, &replaced);
  if (replaced != 0) return std::nullopt;
  return text;
}

std::vector<std::u16string_view> SplitColumns(std::u16string_view line) {
  std::vector<std::u16string_view> columns;
  size_t start = 0;
  for (size_t tab = line.find(kColumnSeparator); tab != std::u16string_view::npos;
       tab = line.find(kColumnSeparator, start)) {
    columns.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  columns.push_back(line.substr(start));
  return columns;
}

// A record from one line; throws TsvError with what is wrong.
dicwriter::Record ParseLine(std::string_view raw) {
  const std::optional<std::u16string> line = DecodeLine(raw);
  if (!line) throw TsvError("not valid UTF-8");
  // TAB separates columns; every other control character would be stored
  // as it is, and a NUL would even cut the text short.
  const auto control = std::find_if(line->begin(), line->end(),
                                    [](char16_t c) { return c < kFirstPrintable && c != kColumnSeparator; });
  if (control != line->end()) {
    char code[kCodePointText];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*control));
    throw TsvError(std::string("control character ") + code + " in the line; write \\n for a line break");
  }
  const std::vector<std::u16string_view> columns = SplitColumns(*line);
  if (columns.size() < kRequiredColumns || columns.size() > kMaxColumns) {
    throw TsvError(
        "expected key, display, translation, then optionally pronunciation and example, "
        "separated by TABs; found " +
        std::to_string(columns.size()) + (columns.size() == 1 ? " column" : " columns"));
  }
  std::array<std::u16string, kMaxColumns> fields;
  for (size_t i = 0; i < columns.size(); ++i) fields[i] = UnescapeField(columns[i]);

  dicwriter::Record record;
  record.key = std::move(fields[0]);
  record.display = std::move(fields[1]);
  record.translation = std::move(fields[2]);
  record.pronunciation = std::move(fields[3]);
  record.example = std::move(fields[4]);
  if (record.key.empty()) throw TsvError("the key is empty");
  // A TAB in the stored headword starts the display form.
  if (record.key.find_first_of(kKeyBreakers) != std::u16string::npos) {
    throw TsvError("the key cannot hold a TAB or a line break");
  }
  return record;
}

}  // namespace

TsvRecords ReadTsvRecords(std::string_view text) {
  TsvRecords result;
  const std::vector<std::string_view> lines = SplitLines(SkipUtf8Bom(text));
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const int lineNumber = static_cast<int>(i + 1);
    try {
      result.records.push_back(ParseLine(lines[i]));
      result.lines.push_back(lineNumber);
    } catch (const TsvError& error) {
      result.errors.push_back({lineNumber, error.what()});
    }
  }
  return result;
}

}  // namespace tavlex::mkdic
