#include "tools/formats/json_entry.h"

#include "tools/formats/json_text.h"

namespace tavlex::formats {
namespace {

void AppendField(std::string& out, std::string_view name, std::u16string_view value) {
  out += ",\"";
  out += name;
  out += "\":";
  AppendJsonString(out, value);
}

}  // namespace

std::string FormatJsonEntry(const Entry& entry, std::u16string_view dictionaryPath,
                            std::optional<std::u16string_view> query, std::string_view extra) {
  std::string out = "{\"dictionary\":";
  AppendJsonString(out, dictionaryPath);
  if (query) AppendField(out, "query", *query);
  AppendField(out, "key", entry.key);
  AppendField(out, "display", entry.display);
  out += ",\"attributes\":" + std::to_string(entry.attributes);
  AppendField(out, "translation", entry.translation);
  AppendField(out, "pronunciation", entry.pronunciation);
  AppendField(out, "example", entry.example);
  out += extra;
  out += "}\n";
  return out;
}

}  // namespace tavlex::formats
