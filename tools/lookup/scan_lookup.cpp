#include "tools/lookup/scan_lookup.h"

#include "base/utf8.h"
#include "engine/search/scan_heading.h"
#include "tools/formats/json_entry.h"
#include "tools/formats/json_text.h"
#include "tools/lookup/entry_output.h"

namespace tavlex::lookup {
namespace {

std::u16string JoinedText(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return Utf8ToUtf16(text);
}

}  // namespace

std::string FormatJsonScanHit(const ScanHit& hit, std::u16string_view dictionaryPath,
                              std::u16string_view text, std::u16string_view matched) {
  std::string extra = ",\"matched\":";
  formats::AppendJsonString(extra, matched);
  extra += ",\"form\":";
  formats::AppendJsonString(extra, hit.form);
  extra += ",\"rules\":[";
  for (size_t i = 0; i < hit.rules.size(); ++i) {
    if (i > 0) extra += ',';
    extra += '"';
    extra += RuleName(hit.rules[i]);  // plain ASCII: nothing to escape
    extra += '"';
  }
  extra += ']';
  return formats::FormatJsonEntry(*hit.entry, dictionaryPath, text, extra);
}

bool PrintScanLookup(const LookupOptions& options, DictionarySet& set, std::ostream& out,
                     std::optional<FirstPrinted>& first) {
  const std::u16string text = JoinedText(options.words);
  const std::vector<ScanGroup> groups = ScanText(set, text, {options.foldKana});
  bool printed = false;
  for (const ScanGroup& group : groups) {
    const std::u16string_view matched = CoveredText(text, group);
    if (!options.json) {
      if (printed) out << '\n';
      out << Utf16ToUtf8(HeadingOf(text, group)) << '\n';
    }
    for (size_t i = 0; i < group.hits.size(); ++i) {
      const ScanHit& hit = group.hits[i];
      const std::shared_ptr<const Dictionary> dictionary = hit.entry->dictionary.lock();
      if (options.json) {
        out << FormatJsonScanHit(hit, dictionary ? dictionary->path() : u"", text, matched);
      } else {
        // The heading, then the entries with a blank line between them, as the display leaves one.
        if (i > 0) out << '\n';
        out << FormatPlainEntry(*hit.entry, dictionary ? dictionary->settings() : DictionarySettings{});
      }
      NotePrinted(first, hit, text, group.begin, group.end);
    }
    printed = true;
  }
  return printed;
}

}  // namespace tavlex::lookup
