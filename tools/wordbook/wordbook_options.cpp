#include "tools/wordbook/wordbook_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>
#include <string_view>

#include "cli/argument_scanner.h"
#include "wordbook/kept_time.h"

namespace tavlex::wordbook {
namespace {

constexpr std::string_view kDb = "--db";
constexpr std::string_view kSince = "--since";
constexpr std::string_view kFormat = "--format";
constexpr std::string_view kOut = "--out";
constexpr std::string_view kDeck = "--deck";
constexpr std::string_view kNoteType = "--notetype";
constexpr std::string_view kTags = "--tags";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kShortHelp = "-h";
constexpr std::string_view kVersion = "--version";

constexpr std::array<cli::OptionSpec, 10> kOptions = {{
    {kDb, true},
    {kSince, true},
    {kFormat, true},
    {kOut, true},
    {kDeck, true},
    {kNoteType, true},
    {kTags, true},
    {kHelp, false},
    {kShortHelp, false},
    {kVersion, false},
}};

constexpr std::array<std::pair<std::string_view, WordBookCommand>, 4> kCommands = {{
    {"list", WordBookCommand::kList},
    {"show", WordBookCommand::kShow},
    {"remove", WordBookCommand::kRemove},
    {"export", WordBookCommand::kExport},
}};

constexpr std::array<std::pair<std::string_view, ExportFormat>, 3> kFormats = {{
    {"anki", ExportFormat::kAnki},
    {"csv", ExportFormat::kCsv},
    {"json", ExportFormat::kJsonLines},
}};

int64_t IdOf(const std::string& text) {
  int64_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (error != std::errc() || end != text.data() + text.size() || id <= 0) {
    throw cli::UsageError("'" + text + "' is not an entry's number");
  }
  return id;
}

void Refuse(bool refused, const std::string& message) {
  if (refused) throw cli::UsageError(message);
}

}  // namespace

const char kWordBookUsage[] =
    "Usage: tavlex-wordbook [--db FILE] list [--since DATE]\n"
    "       tavlex-wordbook [--db FILE] show|remove ID...\n"
    "       tavlex-wordbook [--db FILE] export [--format anki|csv|json] [--since DATE | ID...]\n"
    "                       [--out FILE] [--deck NAME] [--notetype NAME] [--tags TAGS]\n"
    "\n"
    "Reads and changes the word book, the entries kept in the viewer: the file\n"
    "$XDG_DATA_HOME/tavlex/wordbook.sqlite (or ~/.local/share/tavlex/wordbook.sqlite).\n"
    "\n"
    "  list            one line an entry, newest first: its number, when it was\n"
    "                  kept, the headword, the translation's first line and the\n"
    "                  dictionary, separated by TABs\n"
    "  show ID...      the entries of these numbers in full\n"
    "  remove ID...    remove the entries of these numbers\n"
    "  export          write the entries (all, those since DATE, or those named)\n"
    "                  for Anki's import (anki, the default), as CSV or as JSON lines\n"
    "  --db FILE       another word book file\n"
    "  --since DATE    the entries kept at or after DATE, local time: YYYY-MM-DD\n"
    "                  or YYYY-MM-DDTHH:MM\n"
    "  --out FILE      export into FILE (replaced whole) instead of the standard output\n"
    "  --deck NAME     anki: the deck the notes go to (Default)\n"
    "  --notetype NAME anki: their note type (Basic)\n"
    "  --tags TAGS     anki: the tags of every note, separated by spaces (tavlex)\n"
    "  -h, --help      show this help\n"
    "  --version       show the program's version\n"
    "\n"
    "Exit status: 0 when done, 1 when some entry named is not in the word book or\n"
    "the word book is damaged, 2 for a usage error or a word book or output file\n"
    "that cannot be used.\n";

WordBookOptions ParseWordBookOptions(std::span<const std::string> args) {
  WordBookOptions options;
  std::optional<WordBookCommand> command;
  std::set<std::string> given;
  bool ankiOptions = false;
  for (cli::Argument& arg : cli::ScanArguments(args, kOptions)) {
    const bool valued =
        !arg.option.empty() && arg.option != kHelp && arg.option != kShortHelp && arg.option != kVersion;
    Refuse(valued && !given.insert(arg.option).second, arg.option + " given twice");
    if (arg.option == kDb) {
      options.dbPath = std::move(arg.value);
    } else if (arg.option == kSince) {
      options.since = ParseLocalTime(arg.value);
      Refuse(!options.since, "--since: '" + arg.value + "' is no date (YYYY-MM-DD or YYYY-MM-DDTHH:MM)");
    } else if (arg.option == kFormat) {
      const auto* format = std::find_if(kFormats.begin(), kFormats.end(),
                                        [&](const auto& known) { return known.first == arg.value; });
      Refuse(format == kFormats.end(), "unknown format '" + arg.value + "' (anki, csv, json)");
      options.format = format->second;
    } else if (arg.option == kOut) {
      options.outPath = std::move(arg.value);
    } else if (arg.option == kDeck || arg.option == kNoteType || arg.option == kTags) {
      ankiOptions = true;
      std::string& value = arg.option == kDeck       ? options.anki.deck
                           : arg.option == kNoteType ? options.anki.noteType
                                                     : options.anki.tags;
      value = std::move(arg.value);
    } else if (arg.option == kVersion) {
      options.version = true;
    } else if (!arg.option.empty()) {
      options.help = true;
    } else if (command) {
      options.ids.push_back(IdOf(arg.value));
    } else {
      for (const auto& [name, value] : kCommands) {
        if (name == arg.value) command = value;
      }
      Refuse(!command, "unknown command '" + arg.value + "' (list, show, remove, export)");
    }
  }
  if (options.help || options.version) return options;
  Refuse(!command, "no command (list, show, remove, export)");
  options.command = *command;
  const bool exporting = options.command == WordBookCommand::kExport;
  const bool listing = options.command == WordBookCommand::kList;
  Refuse(!exporting && (given.contains(std::string(kFormat)) || options.outPath || ankiOptions),
         "--format, --out, --deck, --notetype and --tags go with export");
  Refuse(ankiOptions && options.format != ExportFormat::kAnki,
         "--deck, --notetype and --tags go with --format anki");
  Refuse(options.since && !listing && !exporting, "--since goes with list and export");
  Refuse(options.since && !options.ids.empty(), "--since and ID cannot be combined");
  Refuse(listing && !options.ids.empty(), "list takes no ID");
  Refuse(!listing && !exporting && options.ids.empty(),
         "no ID: which entries? (tavlex-wordbook list shows them)");
  return options;
}

}  // namespace tavlex::wordbook
