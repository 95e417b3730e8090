#include "tools/lookup/mode_lookup.h"

#include <iostream>

#include "base/desktop_folders.h"
#include "base/utf8.h"
#include "cli/progress_line.h"
#include "engine/search/set_search.h"
#include "tools/formats/json_entry.h"
#include "tools/lookup/entry_output.h"

namespace tavlex::lookup {
namespace {

std::string FileName(const Dictionary& dictionary) {
  return std::filesystem::path(dictionary.path()).filename().string();
}

}  // namespace

bool TakesModeSearch(const LookupOptions& options, std::u16string_view word) {
  return !IsPlainPrefixSearch(options.mode, SearchWord(options.mode, word));
}

std::string FormatJsonHit(const SearchHit& hit, std::u16string_view dictionaryPath,
                          std::u16string_view query) {
  std::string matches = ",\"matches\":[";
  for (size_t i = 0; i < hit.matches.size(); ++i) {
    const FieldMatch& match = hit.matches[i];
    if (i > 0) matches += ',';
    matches += "{\"field\":\"" + Utf16ToUtf8(NameOf(match.field)) +
               "\",\"begin\":" + std::to_string(match.begin) + ",\"end\":" + std::to_string(match.end) + "}";
  }
  matches += ']';
  return formats::FormatJsonEntry(*hit.entry, dictionaryPath, query, matches);
}

bool PrintModeLookups(const LookupOptions& options, DictionarySet& set, std::ostream& out,
                      std::optional<FirstPrinted>& first) {
  TextIndexes indexes(UserDesktopFolders().cache);
  cli::ProgressLine progress(std::cerr, cli::StandardErrorIsTerminal());
  bool printed = false;
  for (const std::string& word : options.words) {
    const std::u16string query = Utf8ToUtf16(word);
    SearchRequest request{options.mode, SearchWord(options.mode, query), options.fields, options.foldKana};
    if (request.text.empty()) continue;
    const auto found =
        SearchSet(set, indexes, request, IndexWait::kWait, false,
                  [&](const Dictionary& dictionary, const TextIndexes::Status& status) {
                    progress.Show("indexing " + FileName(dictionary), status.done, status.total);
                  });
    progress.Finish();
    for (const DictionaryHits& hits : found) {
      for (const SearchHit& hit : hits.results.hits) {
        if (options.json) {
          out << FormatJsonHit(hit, hits.dictionary->path(), query);
        } else {
          if (printed) out << '\n';
          out << FormatPlainEntry(*hit.entry, hits.dictionary->settings());
        }
        NotePrinted(first, *hit.entry, hits.dictionary, query);
        printed = true;
      }
    }
  }
  return printed;
}

}  // namespace tavlex::lookup
