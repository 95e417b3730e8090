// The command lines of tavlex-lookup and tavlex-mkdic: what each option sets,
// the defaults, and the combinations refused as usage errors.
#include <gtest/gtest.h>

#include "cli/argument_scanner.h"
#include "tools/index/index_options.h"
#include "tools/lookup/lookup_options.h"
#include "tools/mkdic/mkdic_options.h"
#include "tools/wordbook/wordbook_options.h"

namespace tavlex {
namespace {

using Args = std::vector<std::string>;

template <typename Parse>
std::string UsageErrorOf(Parse parse, const Args& args) {
  try {
    parse(args);
  } catch (const cli::UsageError& error) {
    return error.what();
  }
  return "no error";
}

std::string LookupError(const Args& args) { return UsageErrorOf(lookup::ParseLookupOptions, args); }
std::string MkdicError(const Args& args) { return UsageErrorOf(mkdic::ParseMkdicOptions, args); }

TEST(LookupOptions, CollectsWordsDictionariesAndFlags) {
  const lookup::LookupOptions options =
      lookup::ParseLookupOptions(Args{"go", "--dic", "a.dic", "--json", "--dic=b.dic", "went", "--inflect"});
  EXPECT_EQ(options.words, (Args{"go", "went"}));
  EXPECT_EQ(options.dictionaryPaths, (Args{"a.dic", "b.dic"}));
  EXPECT_TRUE(options.json);
  EXPECT_TRUE(options.inflect);
  EXPECT_FALSE(options.iniPath);

  const lookup::LookupOptions withIni = lookup::ParseLookupOptions(Args{"--ini", "my.ini", "--", "--json"});
  EXPECT_EQ(withIni.iniPath, "my.ini");
  EXPECT_EQ(withIni.words, Args{"--json"});
  EXPECT_FALSE(withIni.json);
}

TEST(LookupOptions, HelpNeedsNothingElseAndUsageErrorsSayWhy) {
  EXPECT_TRUE(lookup::ParseLookupOptions(Args{"-h"}).help);
  EXPECT_TRUE(lookup::ParseLookupOptions(Args{"--ini", "a", "--dic", "b", "--help"}).help);
  EXPECT_EQ(LookupError({}), "no word to look up");
  EXPECT_EQ(LookupError({"--json"}), "no word to look up");
  EXPECT_EQ(LookupError({"--ini", "a", "--dic", "b", "go"}), "--ini and --dic cannot be combined");
  EXPECT_EQ(LookupError({"--ini", "a", "--ini", "b", "go"}), "--ini given twice");
  EXPECT_EQ(LookupError({"--dic"}), "--dic needs a value");
}

TEST(LookupOptions, ModesFieldsAndKana) {
  const lookup::LookupOptions prefix = lookup::ParseLookupOptions(Args{"go"});
  EXPECT_EQ(prefix.mode, SearchMode::kPrefix);
  EXPECT_EQ(prefix.fields, kAllFields);
  const lookup::LookupOptions full = lookup::ParseLookupOptions(
      Args{"--mode", "fulltext", "--field=translation,headword", "--fold-kana", "go"});
  EXPECT_EQ(full.mode, SearchMode::kFullText);
  EXPECT_EQ(full.fields, FieldBit(SearchField::kTranslation) | FieldBit(SearchField::kHeadword));
  EXPECT_TRUE(full.foldKana);
  EXPECT_EQ(lookup::ParseLookupOptions(Args{"--mode=suffix", "go"}).mode, SearchMode::kSuffix);
  EXPECT_EQ(LookupError({"--mode", "fuzzy", "go"}),
            "unknown mode 'fuzzy' (exact, prefix, suffix, substring, fulltext, scan)");
  EXPECT_EQ(LookupError({"--mode", "fulltext", "--field", "translation,,example", "go"}),
            "unknown field '' (headword, translation, example, pronunciation)");
  EXPECT_EQ(LookupError({"--field", "example", "go"}), "--field needs --mode fulltext");
  EXPECT_EQ(LookupError({"--mode", "exact", "--inflect", "go"}), "--inflect needs --mode prefix");
}

TEST(IndexOptions, CommandDictionariesAndRefusals) {
  const index::IndexOptions build = index::ParseIndexOptions(Args{"build", "a.dic", "--force", "b.dic"});
  EXPECT_EQ(build.command, index::IndexCommand::kBuild);
  EXPECT_EQ(build.dictionaryPaths, (Args{"a.dic", "b.dic"}));
  EXPECT_TRUE(build.force);
  EXPECT_EQ(index::ParseIndexOptions(Args{"--ini", "x.ini", "clear"}).iniPath, "x.ini");
  EXPECT_TRUE(index::ParseIndexOptions(Args{"--help"}).help);
  const auto error = [](const Args& args) { return UsageErrorOf(index::ParseIndexOptions, args); };
  EXPECT_EQ(error({}), "no command (build, status, clear)");
  EXPECT_EQ(error({"rebuild"}), "unknown command 'rebuild' (build, status, clear)");
  EXPECT_EQ(error({"status", "--force"}), "--force goes with build");
  EXPECT_EQ(error({"build", "--ini", "x", "a.dic"}), "--ini and DIC cannot be combined");
}

TEST(MkdicOptions, DefaultsAndTheVersion4BlockSize) {
  const mkdic::MkdicOptions options = mkdic::ParseMkdicOptions(Args{"in.tsv", "out.dic"});
  EXPECT_EQ(options.input, "in.tsv");
  EXPECT_EQ(options.output, "out.dic");
  EXPECT_EQ(options.writer.version, 6);
  EXPECT_EQ(options.writer.blockSize, 1024);
  EXPECT_EQ(options.writer.charset, dicwriter::Charset::kBocu1);
  EXPECT_EQ(options.attributes, 0);

  EXPECT_EQ(mkdic::ParseMkdicOptions(Args{"--format-version", "4", "i", "o"}).writer.blockSize, 256);
  EXPECT_EQ(
      mkdic::ParseMkdicOptions(Args{"--format-version=5", "--block-size=512", "i", "o"}).writer.blockSize,
      512);
  const mkdic::MkdicOptions ansi = mkdic::ParseMkdicOptions(Args{"--ansi", "--attributes", "0x4F", "i", "o"});
  EXPECT_EQ(ansi.writer.charset, dicwriter::Charset::kAnsi);
  EXPECT_EQ(ansi.attributes, 0x4F);
  EXPECT_EQ(mkdic::ParseMkdicOptions(Args{"--attributes", "255", "i", "o"}).attributes, 255);
}

TEST(MkdicOptions, RefusesNumbersAndCombinationsTheWriterCannotUse) {
  EXPECT_EQ(MkdicError({"in.tsv"}), "needs an input TSV file and an output dictionary");
  EXPECT_EQ(MkdicError({"a", "b", "c"}), "needs an input TSV file and an output dictionary");
  EXPECT_EQ(MkdicError({"--attributes", "256", "i", "o"}), "--attributes needs a number from 0 to 255");
  for (const char* bad : {"", "-1", "12x", "0x", "0xZZ", "99999999999"}) {
    EXPECT_EQ(MkdicError({"--block-size", bad, "i", "o"}).substr(0, 24), "--block-size needs a num") << bad;
  }
  EXPECT_EQ(MkdicError({"--format-version", "7", "i", "o"}), "version 7 is not 4, 5 or 6");
  EXPECT_EQ(MkdicError({"--format-version", "4", "--block-size", "1024", "i", "o"}),
            "version 4 needs a block size of 256");
  EXPECT_EQ(MkdicError({"--block-size", "0", "i", "o"}), "block size 0 is out of range");
  EXPECT_TRUE(mkdic::ParseMkdicOptions(Args{"--format-version", "9", "--help"}).help);
}

// --version alone asks for the program's version; with a number after it, it
// is the old spelling of --format-version and still sets the file's version.
TEST(MkdicOptions, VersionAloneOrTheOldSpellingOfTheFormatVersion) {
  EXPECT_TRUE(mkdic::ParseMkdicOptions(Args{"i", "o", "--version"}).version);
  EXPECT_TRUE(mkdic::ParseMkdicOptions(Args{"--version", "i", "--", "--version", "4"}).version);
  for (const Args& old : {Args{"--version", "4", "i", "o"}, Args{"--version=0x4", "i", "o"}}) {
    const mkdic::MkdicOptions options = mkdic::ParseMkdicOptions(old);
    EXPECT_TRUE(options.oldFormatVersion && !options.version) << old[0];
    EXPECT_EQ(options.writer.version, 4) << old[0];
  }
  EXPECT_FALSE(mkdic::ParseMkdicOptions(Args{"--format-version", "4", "i", "o"}).oldFormatVersion);
}

TEST(WordBookOptions, CommandsTakeTheirIdsAndOptionsAndRefuseTheRest) {
  const wordbook::WordBookOptions exported = wordbook::ParseWordBookOptions(
      Args{"--db", "w.sqlite", "export", "3", "--format=csv", "--out", "x.csv", "12"});
  EXPECT_EQ(exported.command, wordbook::WordBookCommand::kExport);
  EXPECT_EQ(exported.ids, (std::vector<int64_t>{3, 12}));
  EXPECT_EQ(exported.format, wordbook::ExportFormat::kCsv);
  EXPECT_EQ(exported.dbPath, "w.sqlite");
  EXPECT_EQ(exported.outPath, "x.csv");
  const wordbook::WordBookOptions anki =
      wordbook::ParseWordBookOptions(Args{"export", "--deck", "英語", "--notetype", "基本", "--tags", ""});
  EXPECT_EQ(anki.anki.deck, "英語");
  EXPECT_EQ(anki.anki.noteType, "基本");
  EXPECT_EQ(anki.anki.tags, "");
  EXPECT_TRUE(wordbook::ParseWordBookOptions(Args{"list", "--since", "2026-12-09"}).since);
  const auto error = [](const Args& args) { return UsageErrorOf(wordbook::ParseWordBookOptions, args); };
  EXPECT_EQ(error({}), "no command (list, show, remove, export)");
  EXPECT_EQ(error({"add"}), "unknown command 'add' (list, show, remove, export)");
  EXPECT_EQ(error({"show"}), "no ID: which entries? (tavlex-wordbook list shows them)");
  EXPECT_EQ(error({"remove", "0"}), "'0' is not an entry's number");
  EXPECT_EQ(error({"show", "3x"}), "'3x' is not an entry's number");
  EXPECT_EQ(error({"list", "3"}), "list takes no ID");
  EXPECT_EQ(error({"list", "--out", "x"}), "--format, --out, --deck, --notetype and --tags go with export");
  EXPECT_EQ(error({"export", "--format", "csv", "--deck", "d"}),
            "--deck, --notetype and --tags go with --format anki");
  EXPECT_EQ(error({"export", "--format", "xml"}), "unknown format 'xml' (anki, csv, json)");
  EXPECT_EQ(error({"show", "--since", "2026-12-09", "1"}), "--since goes with list and export");
  EXPECT_EQ(error({"export", "--since", "2026-12-09", "1"}), "--since and ID cannot be combined");
  EXPECT_EQ(error({"list", "--since", "2026-13-01"}),
            "--since: '2026-13-01' is no date (YYYY-MM-DD or YYYY-MM-DDTHH:MM)");
  EXPECT_EQ(error({"--db", "a", "--db", "b", "list"}), "--db given twice");
}

}  // namespace
}  // namespace tavlex
