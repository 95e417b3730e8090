#include "mkdic/tsv_records.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "mkdic/tsv_escapes.h"
#include "settings/utf8.h"

namespace tavlex::mkdic {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf8ReplacementCharacter = "\xEF\xBF\xBD";
constexpr char16_t kReplacementCharacter = u'\uFFFD';
constexpr char16_t kColumnSeparator = u'\t';
constexpr char16_t kFirstPrintable = u' ';
constexpr size_t kCodePointText = sizeof "U+0000";
constexpr size_t kRequiredColumns = 3;  // key, display, translation
constexpr size_t kMaxColumns = 5;       // and pronunciation, example
constexpr std::u16string_view kKeyBreakers = u"\t\r\n";

// Splits text at "\n"; a "\r" before it belongs to the line break.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

size_t Count(std::string_view text, std::string_view what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size())) {
    ++count;
  }
  return count;
}

// The conversion never fails: each ill-formed sequence becomes U+FFFD. More
// of those than the line spells out means it was not UTF-8.
std::optional<std::u16string> DecodeLine(std::string_view line) {
  std::u16string text = Utf8ToUtf16(line);
  const auto replacements = static_cast<size_t>(std::count(text.begin(), text.end(), kReplacementCharacter));
  if (replacements != Count(line, kUtf8ReplacementCharacter)) return std::nullopt;
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
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  TsvRecords result;
  const std::vector<std::string_view> lines = SplitLines(text);
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
