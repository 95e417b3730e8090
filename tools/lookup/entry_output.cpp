#include "lookup/entry_output.h"

#include "engine/entry_parts.h"
#include "lookup/json_text.h"
#include "settings/utf8.h"

namespace tavlex::lookup {
namespace {

constexpr std::u16string_view kBreak = u"\r\n";

// One part of an entry, its CR LF breaks as plain line breaks.
void AppendPart(std::string& out, std::u16string_view text) {
  std::u16string lines;
  lines.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    if (text.substr(at, kBreak.size()) == kBreak) {
      lines += u'\n';
      at += kBreak.size();
    } else {
      lines += text[at++];
    }
  }
  out += Utf16ToUtf8(lines);
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
