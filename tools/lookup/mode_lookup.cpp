#include "tools/lookup/mode_lookup.h"

#include <iostream>

#include "base/utf8.h"
#include "cli/progress_line.h"
#include "engine/search/search_pattern.h"
#include "engine/search/set_search.h"
#include "engine/text/text.h"
#include "tools/formats/json_entry.h"
#include "tools/lookup/entry_output.h"

namespace tavlex::lookup {
namespace {

constexpr const char* kFieldNames[kSearchFieldCount] = {"headword", "display", "translation", "example",
                                                        "pronunciation"};

// The word as the search takes it: a prefix search strips it as the viewer
// does; the other modes keep it whole (a ? or a quote at either end counts).
std::u16string SearchText(const LookupOptions& options, std::u16string_view word) {
  if (options.mode == SearchMode::kPrefix) return StripSearchWord(word);
  const size_t first = word.find_first_not_of(u" \u3000");
  if (first == std::u16string_view::npos) return {};
  return std::u16string(word.substr(first, word.find_last_not_of(u" \u3000") - first + 1));
}

std::string FileName(const Dictionary& dictionary) {
  return std::filesystem::path(dictionary.path()).filename().string();
}

}  // namespace

bool TakesModeSearch(const LookupOptions& options, std::u16string_view word) {
  if (options.mode != SearchMode::kPrefix) return true;
  return HasWildcard(StripSearchWord(word));
}

std::string FormatJsonHit(const SearchHit& hit, std::u16string_view dictionaryPath,
                          std::u16string_view query) {
  std::string out = formats::FormatJsonEntry(*hit.entry, dictionaryPath, query);
  out.resize(out.size() - 2);  // the closing brace and the line break
  out += ",\"matches\":[";
  for (size_t i = 0; i < hit.matches.size(); ++i) {
    const FieldMatch& match = hit.matches[i];
    if (i > 0) out += ',';
    out += std::string("{\"field\":\"") + kFieldNames[static_cast<size_t>(match.field)] +
           "\",\"begin\":" + std::to_string(match.begin) + ",\"end\":" + std::to_string(match.end) + "}";
  }
  out += "]}\n";
  return out;
}

bool PrintModeLookups(const LookupOptions& options, DictionarySet& set, std::ostream& out) {
  TextIndexes indexes;
  cli::ProgressLine progress(std::cerr, cli::StandardErrorIsTerminal());
  bool printed = false;
  for (const std::string& word : options.words) {
    const std::u16string query = Utf8ToUtf16(word);
    SearchRequest request{options.mode, SearchText(options, query), options.fields, options.foldKana};
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
        printed = true;
      }
    }
  }
  return printed;
}

}  // namespace tavlex::lookup
