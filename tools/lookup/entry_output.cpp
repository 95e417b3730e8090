#include "tools/lookup/entry_output.h"

#include "base/lines.h"
#include "base/utf8.h"
#include "engine/entry_parts.h"

namespace tavlex::lookup {
namespace {

// One part of an entry, its CR LF breaks as plain line breaks.
void AppendPart(std::string& out, std::u16string_view text) {
  out += Utf16ToUtf8(CrLfToLf(text));
  out += '\n';
}

}  // namespace

std::string FormatPlainEntry(const Entry& entry, const DictionarySettings& settings) {
  std::string out;
  for (const EntryPart& part : EntryParts(entry, settings)) AppendPart(out, part.text);
  return out;
}

}  // namespace tavlex::lookup
