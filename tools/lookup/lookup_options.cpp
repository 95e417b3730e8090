#include "tools/lookup/lookup_options.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "base/utf8.h"
#include "cli/argument_scanner.h"

namespace tavlex::lookup {
namespace {

constexpr std::string_view kIni = "--ini";
constexpr std::string_view kDic = "--dic";
constexpr std::string_view kIrregular = "--irregular";
constexpr std::string_view kInflect = "--inflect";
constexpr std::string_view kJson = "--json";
constexpr std::string_view kKeep = "--keep";
constexpr std::string_view kMode = "--mode";
constexpr std::string_view kField = "--field";
constexpr std::string_view kFoldKana = "--fold-kana";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kShortHelp = "-h";
constexpr std::string_view kVersion = "--version";

constexpr std::array<cli::OptionSpec, 12> kOptions = {{
    {kIni, true},
    {kDic, true},
    {kIrregular, true},
    {kInflect, false},
    {kJson, false},
    {kKeep, false},
    {kMode, true},
    {kField, true},
    {kFoldKana, false},
    {kHelp, false},
    {kShortHelp, false},
    {kVersion, false},
}};

SearchMode ParseMode(std::string_view name) {
  if (const std::optional<SearchMode> mode = SearchModeNamed(Utf8ToUtf16(name))) return *mode;
  throw cli::UsageError("unknown mode '" + std::string(name) + "' (" + Utf16ToUtf8(SearchModeList()) + ")");
}

// A comma-separated list of field names.
FieldSet ParseFields(std::string_view list) {
  FieldSet fields = 0;
  for (size_t start = 0; start <= list.size();) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string_view name = list.substr(start, comma - start);
    const std::optional<SearchField> field = ChoosableFieldNamed(Utf8ToUtf16(name));
    if (!field) {
      throw cli::UsageError("unknown field '" + std::string(name) + "' (" +
                            Utf16ToUtf8(ChoosableFieldList()) + ")");
    }
    fields |= FieldBit(*field);
    start = comma + 1;
  }
  return fields;
}

}  // namespace

const char kLookupUsage[] =
    "Usage: tavlex-lookup [--ini FILE] [--dic FILE]... [--irregular FILE]... [--inflect] [--json]\n"
    "                     [--mode MODE] [--field FIELD,...] [--fold-kana] [--keep] WORD...\n"
    "\n"
    "Looks each WORD up in the registered dictionaries as the viewer does: the\n"
    "dictionaries and their settings come from the viewer's tavlex.ini (beside\n"
    "this program, or in ~/.config/tavlex/ when installed), which is only read,\n"
    "never written.\n"
    "\n"
    "  --ini FILE        read the dictionaries and their settings from FILE instead\n"
    "  --dic FILE        search FILE with default settings instead of the\n"
    "                    registered dictionaries, showing every part of its\n"
    "                    entries; may be repeated\n"
    "  --irregular FILE  take FILE as a dictionary of irregular forms, which\n"
    "                    --inflect asks for base forms; may be repeated\n"
    "  --inflect         then search inflected forms too (lower case, base forms,\n"
    "                    accents added or removed) in every dictionary searched,\n"
    "                    and, when that finds something, show it instead\n"
    "  --json            one JSON object per entry and line, with every field (and,\n"
    "                    in the other modes, where the word matched; in scan,\n"
    "                    \"matched\": the start of the text covered, \"form\": the\n"
    "                    form looked up, \"rules\": the inflections undone)\n"
    "  --mode MODE       prefix (the default: headwords that begin with WORD,\n"
    "                    compared as stored, as the viewer searches), exact,\n"
    "                    suffix, substring (headwords that are, end with or\n"
    "                    contain WORD), fulltext (WORD anywhere in an entry;\n"
    "                    several words must all occur, \"a phrase\" as it is).\n"
    "                    Headword modes take the wildcards * and ?; \\* and \\?\n"
    "                    stand for themselves. Apart from a plain prefix search,\n"
    "                    case and full or half width do not count, nor accents\n"
    "                    where a dictionary's accent setting is on. suffix,\n"
    "                    substring and fulltext use an index of each dictionary,\n"
    "                    built on first use (see tavlex-index). scan takes the\n"
    "                    words as one text, as a selected text is looked up:\n"
    "                    the longest start of it that is a headword once its\n"
    "                    inflections are undone (took care of: take care of),\n"
    "                    then the shorter starts, each group of entries under a\n"
    "                    line saying what it covers and the form found\n"
    "  --field FIELD,...\n"
    "                    fulltext: search only these of headword, translation,\n"
    "                    example, pronunciation\n"
    "  --fold-kana       hiragana and katakana match each other\n"
    "  --keep            keep the entry printed first in the word book, with the\n"
    "                    WORD it was looked up from (see tavlex-wordbook)\n"
    "  -h, --help        show this help\n"
    "  --version         show the program's version\n"
    "\n"
    "Exit status: 0 when an entry was printed, 1 when nothing was found, 2 for a\n"
    "usage error or when no dictionary could be opened.\n";

LookupOptions ParseLookupOptions(std::span<const std::string> args) {
  LookupOptions options;
  bool fieldsGiven = false;
  for (cli::Argument& arg : cli::ScanArguments(args, kOptions)) {
    if (arg.option.empty()) {
      options.words.push_back(std::move(arg.value));
    } else if (arg.option == kIni) {
      if (options.iniPath) throw cli::UsageError("--ini given twice");
      options.iniPath = std::move(arg.value);
    } else if (arg.option == kDic) {
      options.dictionaryPaths.push_back(std::move(arg.value));
    } else if (arg.option == kIrregular) {
      options.irregularPaths.push_back(std::move(arg.value));
    } else if (arg.option == kInflect) {
      options.inflect = true;
    } else if (arg.option == kJson) {
      options.json = true;
    } else if (arg.option == kKeep) {
      options.keep = true;
    } else if (arg.option == kMode) {
      options.mode = ParseMode(arg.value);
    } else if (arg.option == kField) {
      options.fields = ParseFields(arg.value);
      fieldsGiven = true;
    } else if (arg.option == kFoldKana) {
      options.foldKana = true;
    } else if (arg.option == kVersion) {
      options.version = true;
    } else {
      options.help = true;
    }
  }
  if (options.help || options.version) return options;
  if (options.iniPath && !options.dictionaryPaths.empty()) {
    throw cli::UsageError("--ini and --dic cannot be combined");
  }
  if (options.words.empty()) throw cli::UsageError("no word to look up");
  if (fieldsGiven && options.mode != SearchMode::kFullText)
    throw cli::UsageError("--field needs --mode fulltext");
  if (options.inflect && options.mode != SearchMode::kPrefix)
    throw cli::UsageError("--inflect needs --mode prefix");
  return options;
}

}  // namespace tavlex::lookup
