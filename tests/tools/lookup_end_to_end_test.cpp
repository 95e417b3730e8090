// tavlex-lookup as a new user runs it: on a dictionary just built with
// tavlex-mkdic, through a settings file, and through the one beside the
// program that ./run registers the samples in.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/tools/tool_fixture.h"

namespace tavlex::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr std::string_view kWords =
    "apple\t\t1. りんご\\n2. リンゴの木\t/ˈæpəl/\tAn apple a day.\\n一日一個のりんご。\n"
    "apply\t\t申し込む\n"
    "cafe\tcafé\t喫茶店\n";

// The report of a dictionary that could not be opened.
std::string Refused(const std::string& path, const std::string& reason) {
  return "tavlex-lookup: " + path + ": cannot open the dictionary: " + reason + "\n";
}

class LookupEndToEnd : public ToolTest {};

TEST_F(LookupEndToEnd, LooksUpWordsInADictionaryJustBuilt) {
  const std::string dic = Dictionary("words", kWords);
  // The search characters around the word are stripped; every part the file
  // holds is shown.
  const ProgramResult found = Lookup({"--dic", dic, "(app?)"});
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(
      found.out,
      "apple\n/ˈæpəl/\n1. りんご\n2. リンゴの木\nAn apple a day.\n一日一個のりんご。\n\napply\n申し込む\n");
  EXPECT_EQ(found.err, "");
  EXPECT_EQ(Lookup({"--dic", dic, "cafe"}).out, "café\n喫茶店\n");
  // Each word in turn, one blank line between all entries.
  EXPECT_EQ(Lookup({"--dic", dic, "cafe", "nothing", "apply"}).out, "café\n喫茶店\n\napply\n申し込む\n");
}

TEST_F(LookupEndToEnd, ExitStatusTellsFoundNothingFoundAndUsageErrors) {
  const std::string dic = Dictionary("words", kWords);
  EXPECT_EQ(Lookup({"--dic", dic, "zebra", "apple"}).status, 0);
  for (const Args& nothing : {Args{"zebra"}, Args{" ?! "}, Args{"zebra", "\"\""}}) {
    Args args{"--dic", dic};
    args.insert(args.end(), nothing.begin(), nothing.end());
    const ProgramResult result = Lookup(args);
    EXPECT_EQ(result.status, 1) << nothing[0];
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
  }
  for (const Args& usage :
       {Args{}, Args{"--dic", dic}, Args{"--colour", "go"}, Args{"--ini", "a", "--dic", dic, "go"}}) {
    const ProgramResult result = Lookup(usage);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err, StartsWith("tavlex-lookup: "));
    EXPECT_THAT(result.err, HasSubstr("Try 'tavlex-lookup --help'."));
  }
  const ProgramResult help = Lookup({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(
      help.out,
      StartsWith("Usage: tavlex-lookup [--ini FILE] [--dic FILE]... [--irregular FILE]... [--inflect]"));
}

TEST_F(LookupEndToEnd, JsonGivesOneObjectPerEntryInMergedOrder) {
  const std::string dic = Dictionary("words", kWords);
  const std::string other = Dictionary("other", "apple\t\tpomme\n");
  const ProgramResult result = Lookup({"--json", "--dic", dic, "--dic", other, "apple", "cafe"});
  EXPECT_EQ(result.status, 0);
  // Every field, whatever the show switches say; attributes 16 marks a
  // record with pronunciation or example.
  EXPECT_EQ(result.out,
            JsonLine(dic, R"("query":"apple","key":"apple","display":"","attributes":16,)"
                          R"("translation":"1. りんご\r\n2. リンゴの木","pronunciation":"/ˈæpəl/",)"
                          R"("example":"An apple a day.\r\n一日一個のりんご。")") +
                JsonLine(other, R"("query":"apple","key":"apple","display":"","attributes":0,)"
                                R"("translation":"pomme","pronunciation":"","example":"")") +
                JsonLine(dic, R"("query":"cafe","key":"cafe","display":"café","attributes":0,)"
                              R"("translation":"喫茶店","pronunciation":"","example":"")"));
}

TEST_F(LookupEndToEnd, MissingAndRefusedDictionariesAreNamedWithTheReason) {
  const std::string dic = Dictionary("words", kWords);
  const std::string missing = PathOf("missing.dic");
  const std::string notDictionary = Write("notes.dic", "apple\tりんご\n");
  const std::string directory = PathOf("folder.dic");
  std::filesystem::create_directory(directory);

  const ProgramResult none = Lookup({"--dic", missing, "--dic", notDictionary, "--dic", directory, "apple"});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, Refused(missing, "No such file or directory") +
                          Refused(notDictionary, "not a PDIC dictionary, or damaged") +
                          Refused(directory, "Is a directory") +
                          "tavlex-lookup: no dictionary could be opened\n");

  // Nothing that is not a regular file is read, and opening one never
  // blocks: a FIFO with no writer, a character device.
  const std::string fifo = PathOf("fifo.dic");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const ProgramResult special = Lookup({"--dic", fifo, "--dic", "/dev/zero", "apple"});
  EXPECT_EQ(special.status, 2);
  EXPECT_EQ(special.err, Refused(fifo, "not a regular file") + Refused("/dev/zero", "not a regular file") +
                             "tavlex-lookup: no dictionary could be opened\n");

  // The others are still searched.
  const ProgramResult some = Lookup({"--dic", missing, "--dic", dic, "apply"});
  EXPECT_EQ(some.status, 0);
  EXPECT_EQ(some.out, "apply\n申し込む\n");
  EXPECT_EQ(some.err, Refused(missing, "No such file or directory"));
}

class LookupSettings : public ToolTest {
 protected:
  void SetUp() override {
    irregular_ = Dictionary("irregular", "went\t\tgo\n");
    english_ = Dictionary("english",
                          "go\t\t行く\t/ɡoʊ/\tLet's go.\n"
                          "goal\t\tゴール\n"
                          "good\t\t良い\t/ɡʊd/\n");
    unused_ = Dictionary("unused", "go\t\tUNUSED\n");
    missing_ = PathOf("missing.dic");
    bracketed_ = Dictionary("x]y", "go\t\tBRACKETED\n");
    // A gap in the list, a file that is gone and a path whose section the
    // file cannot name, as hand-editing leaves them.
    const std::string list = Lines({"[dictionary]", "dic1=" + irregular_, "dic3=" + english_,
                                    "dic4=" + missing_, "dic5=" + unused_, "dic6=" + bracketed_});
    ini_ = Write("settings/tavlex.ini", list + Lines({"[" + irregular_ + "]", "irreg=1"}) +
                                            Lines({"[" + english_ + "]", "searchmax=2", "bPhonetic=1"}) +
                                            Lines({"[" + unused_ + "]", "notuse=1"}));
  }
  std::string irregular_, english_, unused_, missing_, bracketed_, ini_;
};

TEST_F(LookupSettings, AppliesEachDictionarysSettingsAndNeverWritesTheFile) {
  const std::string before = Read(ini_);
  // searchmax 2 stops before "good"; the pronunciation is shown, no example;
  // the dictionary not in use and the irregular one are not searched, and
  // the one the viewer leaves out is left out.
  const ProgramResult plain = Lookup({"--ini", ini_, "go"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out, "go\n/ɡoʊ/\n行く\n\ngoal\nゴール\n");
  EXPECT_EQ(plain.err,
            Refused(missing_, "No such file or directory") + "tavlex-lookup: " + bracketed_ +
                ": left out, as the viewer leaves it out: the settings file cannot hold this path\n");
  EXPECT_EQ(Lookup({"--ini", ini_, "went"}).status, 1);

  // The inflection search, on whatever the dictionary's settings say, asks
  // the irregular-forms dictionary for the base form.
  const ProgramResult inflected = Lookup({"--ini", ini_, "--inflect", "went"});
  EXPECT_EQ(inflected.status, 0);
  EXPECT_EQ(inflected.out, "go\n/ɡoʊ/\n行く\n\ngoal\nゴール\n");
  // The same files named: default settings, every part shown.
  const ProgramResult named = Lookup({"--dic", english_, "--irregular", irregular_, "--inflect", "went"});
  EXPECT_EQ(named.status, 0);
  EXPECT_EQ(named.out, "go\n/ɡoʊ/\n行く\nLet's go.\n\ngoal\nゴール\n\ngood\n/ɡʊd/\n良い\n");
  EXPECT_EQ(Lookup({"--dic", english_, "--irregular", irregular_, "went"}).status, 1);
  // Without an exact headword and without a form to find, the plain results stand.
  EXPECT_EQ(Lookup({"--ini", ini_, "--inflect", "goa"}).out, "goal\nゴール\n");

  EXPECT_EQ(Read(ini_), before);
  const std::filesystem::directory_iterator settingsFolder(dir_.path() / "settings");
  EXPECT_EQ(std::distance(begin(settingsFolder), end(settingsFolder)), 1);  // no backup or temporary file
}

TEST_F(LookupSettings, ASettingsFileThatCannotServeIsAnError) {
  const std::string missing = PathOf("nowhere.ini");
  const ProgramResult absent = Lookup({"--ini", missing, "go"});
  EXPECT_EQ(absent.status, 2);
  EXPECT_THAT(absent.err, StartsWith("tavlex-lookup: " + missing +
                                     ": cannot read the settings file: No such file or directory\n"));

  // A folder or a FIFO where the file should be is reported, not thrown.
  const std::string folder = PathOf("folder.ini");
  std::filesystem::create_directory(folder);
  const std::string fifo = PathOf("fifo.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const auto& [ini, reason] : {std::pair{folder, "Is a directory"}, {fifo, "not a regular file"}}) {
    const ProgramResult refused = Lookup({"--ini", ini, "go"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_THAT(refused.err,
                StartsWith("tavlex-lookup: " + ini + ": cannot read the settings file: " + reason + "\n"));
  }

  const std::string empty = Write("empty.ini", "[dictionary]\ndic1=\n");
  const ProgramResult none = Lookup({"--ini", empty, "go"});
  EXPECT_EQ(none.status, 2);
  EXPECT_THAT(none.err, StartsWith("tavlex-lookup: " + empty + ": registers no dictionary"));
}

// ./run builds the samples and registers them beside the programs; this lays
// out the same in a scratch directory, with a copy of the program.
TEST_F(LookupSettings, TheSamplesRegisteredBesideTheProgram) {
  const std::filesystem::path build = dir_.path() / "build";
  std::filesystem::create_directories(build / "bin");
  std::filesystem::create_directories(build / "samples");
  const std::filesystem::path program = build / "bin" / "tavlex-lookup";
  std::filesystem::copy_file(TAVLEX_LOOKUP_PROGRAM, program);
  for (const char* sample : {"english.dic", "irregular.dic"}) {
    std::filesystem::copy_file(std::filesystem::path(TAVLEX_SAMPLES_DIR) / sample,
                               build / "samples" / sample);
  }

  // A first run says what to do; installed, also where the samples are.
  EXPECT_EQ(RunProgram(program.string(), {"go"}).status, 2);
  const std::filesystem::path usr = dir_.path() / "usr";
  const std::string samples = (usr / "share" / "tavlex" / "samples").string();
  std::filesystem::create_directories(samples);
  std::filesystem::copy(build / "samples", samples);
  std::filesystem::copy(build / "bin", usr / "bin");
  const ProgramResult firstRun = RunProgram(
      "/usr/bin/env",
      {"-u", "XDG_CONFIG_HOME", "HOME=" + PathOf("home"), (usr / "bin" / "tavlex-lookup").string(), "go"});
  EXPECT_EQ(firstRun.status, 2);
  EXPECT_EQ(firstRun.err,
            "tavlex-lookup: no dictionary is registered yet (the viewer's settings file " +
                PathOf("home/.config/tavlex/tavlex.ini") +
                " does not exist)\ntavlex-lookup: register a dictionary in the viewer (メニュー → "
                "ツール → 辞書登録...), or name one with --dic FILE\ntavlex-lookup: the sample "
                "dictionaries are in " +
                samples + ": tavlex-lookup --dic " + samples + "/english.dic WORD\n");

  EXPECT_EQ(RunProgram("/bin/bash", {TAVLEX_REGISTER_SAMPLES, build.string()}).status, 0);
  const std::string registered = Read((build / "bin" / "tavlex.ini").string());
  EXPECT_EQ(RunProgram("/bin/bash", {TAVLEX_REGISTER_SAMPLES, build.string()}).status, 0);
  EXPECT_EQ(Read((build / "bin" / "tavlex.ini").string()), registered);  // left alone the second time

  // Irregular forms, English endings, accents, pronunciation and example shown.
  const ProgramResult went = RunProgram(program.string(), {"--inflect", "went"});
  EXPECT_EQ(went.status, 0);
  EXPECT_THAT(went.out, StartsWith("go\n/ɡoʊ/\n1. 行く\n"));
  EXPECT_THAT(went.out, HasSubstr("I go to school by bus.\n私はバスで学校へ行く。\n"));
  EXPECT_THAT(RunProgram(program.string(), {"--inflect", "mice"}).out, StartsWith("mouse\n"));
  EXPECT_THAT(RunProgram(program.string(), {"--inflect", "debut"}).out, StartsWith("début\n"));
  EXPECT_THAT(RunProgram(program.string(), {"--inflect", "Studies"}).out, StartsWith("study\n"));
  EXPECT_THAT(RunProgram(program.string(), {"naive"}).out, StartsWith("naïve\n"));
}

}  // namespace
}  // namespace tavlex::testing
