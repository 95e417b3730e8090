#include "tools/lookup/entry_output.h"

#include "base/lines.h"
#include "base/utf8.h"
#include "engine/entry_parts.h"
#include "tools/lookup/json_text.h"

namespace tavlex::lookup {
namespace {

// One part of an entry, its CR LF breaks as plain line breaks.
void AppendPart(std::string& out, std::u16string_view text) {
  out += Utf16ToUtf8(CrLfToLf(text));
  out += '\n';
}

void AppendField(std::string& out, std::string_view name, std::u16string_view value) {
  out += ",\"";
  out += name;
  out += "\":";
  AppendJsonString(out, value);
}

}  // namespace

std::string FormatPlainEntry(const Entry& entry, const DictionarySettings& settings) {
  std::string out;
  for (const EntryPart& part : EntryParts(entry, settings)) AppendPart(out, part.text);
  return out;
}

std::string FormatJsonEntry(const Entry& entry, std::u16string_view dictionaryPath,
                            std::optional<std::u16string_view> query) {
  std::string out = "{\"dictionary\":";
  AppendJsonString(out, dictionaryPath);
  if (query) AppendField(out, "query", *query);
  AppendField(out, "key", entry.key);
  AppendField(out, "display", entry.display);
  out += ",\"attributes\":" + std::to_string(entry.attributes);
  AppendField(out, "translation", entry.translation);
  AppendField(out, "pronunciation", entry.pronunciation);
  AppendField(out, "example", entry.example);
  out += "}\n";
  return out;
}

}  // namespace tavlex::lookup
