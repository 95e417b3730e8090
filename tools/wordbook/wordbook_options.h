// The command line of tavlex-wordbook.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "wordbook/exports.h"

namespace tavlex::wordbook {

enum class WordBookCommand { kList, kShow, kRemove, kExport };

struct WordBookOptions {
  WordBookCommand command = WordBookCommand::kList;
  std::optional<std::string> dbPath;  // --db: another word book file
  std::vector<int64_t> ids;           // show, remove: these entries; export: only these
  std::optional<int64_t> since;       // --since: entries kept at or after it (ms since 1970)
  ExportFormat format = ExportFormat::kAnki;
  AnkiOptions anki;                    // --deck, --notetype, --tags
  std::optional<std::string> outPath;  // --out: a file instead of the standard output
  bool help = false;
  bool version = false;
};

// Throws cli::UsageError for a command line that cannot run.
WordBookOptions ParseWordBookOptions(std::span<const std::string> args);

extern const char kWordBookUsage[];

}  // namespace tavlex::wordbook
