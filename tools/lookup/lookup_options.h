// The command line of tavlex-lookup.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/search/search_request.h"

namespace tavlex::lookup {

struct LookupOptions {
  std::optional<std::string> iniPath;        // --ini: another settings file
  std::vector<std::string> dictionaryPaths;  // --dic: these files, default settings, no settings file
  std::vector<std::string> irregularPaths;   // --irregular: these files as dictionaries of irregular forms
  bool inflect = false;
  bool json = false;
  bool keep = false;  // --keep: the entry printed first goes into the word book
  bool help = false;
  SearchMode mode = SearchMode::kPrefix;  // --mode
  FieldSet fields = kAllFields;           // --field, full text only
  bool foldKana = false;                  // --fold-kana
  bool version = false;
  std::vector<std::string> words;  // UTF-8, as given
};

// Throws cli::UsageError for a command line that cannot run. With --help or
// --version the rest need not make sense.
LookupOptions ParseLookupOptions(std::span<const std::string> args);

extern const char kLookupUsage[];

}  // namespace tavlex::lookup
