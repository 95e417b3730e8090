#include "settings/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>

namespace tavlex {
namespace {

namespace fs = std::filesystem;

// Each test works on "tavlex.ini" in a fresh temporary directory.
class IniFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string dir = (fs::temp_directory_path() / "tavlex-ini-XXXXXX").string();
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    dir_ = dir;
    path_ = dir_ / "tavlex.ini";
  }
  void TearDown() override { fs::remove_all(dir_); }

  void WriteFile(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string ReadFile() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Loads the file, sets one value and saves.
  void SetAndSave(const std::u16string& section, const std::u16string& key, const std::u16string& value) {
    IniFile ini;
    ini.LoadPath(path_);
    ini.SetString(section, key, value);
    ini.Save();
  }

  fs::path dir_;
  fs::path path_;
};

TEST_F(IniFileTest, HandEditedFileComesBackLineForLineAfterOneChange) {
  WriteFile(
      "; settings written by hand\r\n"
      "orphan = before any header\r\n"
      "\r\n"
      "[General] ; main options\r\n"
      "; delay=5\r\n"
      "  delay = 300 ; remark\r\n"
      "\tfont\t=  Mono  \r\n"
      "odd=a\rb\r\n"
      "twice=c\r\r\n"
      "\r\n"
      "; end of General\r\n"
      "[Window]\n"
      "width=800\n"
      "width=900\n"
      "[General]\n"
      "delay=1\n"
      "tail=no line feed\r");
  SetAndSave(u"General", u"delay", u"250");
  // Line ends become "\n" (a lone "\r" inside a line stays, every "\r"
  // before the "\n" goes, so that the file reads back the same); the last line
  // gains its line feed; only the first real "delay" of the first General
  // section changes, losing its spacing and comment.
  EXPECT_EQ(ReadFile(),
            "; settings written by hand\n"
            "orphan = before any header\n"
            "\n"
            "[General] ; main options\n"
            "; delay=5\n"
            "delay=250\n"
            "\tfont\t=  Mono  \n"
            "odd=a\rb\n"
            "twice=c\n"
            "\n"
            "; end of General\n"
            "[Window]\n"
            "width=800\n"
            "width=900\n"
            "[General]\n"
            "delay=1\n"
            "tail=no line feed\n");
}

class IniFileLookupTest : public IniFileTest {
 protected:
  void SetUp() override {
    IniFileTest::SetUp();
    WriteFile(
        "orphan=1\n"
        "[General]\n"
        "Delay=7\n"
        "; delay=5\n"
        "delay = 300 ; remark\n"
        "spaced =  \t two words\t \n"
        "empty = ; nothing\n"
        "letters=abc\n"
        "suffix=-12abc\n"
        "plus=+7\n"
        "big=99999999999\n"
        "small=-99999999999\n"
        "max=2147483647\n"
        "min=-2147483648\n"
        "dup=first\n"
        "dup=second\n"
        "[ Spaced ]\n"
        "inner=yes\n"
        "[general]\n"
        "delay=9\n"
        "[Broken\n"
        "lost=1\n"
        "[]\n"
        "nameless=1\n"
        "[General]\n"
        "late=1\n");
    ini_.LoadPath(path_);
  }
  IniFile ini_;
};

TEST_F(IniFileLookupTest, KeysAndSectionsMatchExactlyAfterTrimmingAndCommentCut) {
  EXPECT_EQ(ini_.GetString(u"General", u"delay"), u"300");
  EXPECT_EQ(ini_.GetString(u"General", u"Delay"), u"7");
  EXPECT_EQ(ini_.GetString(u"general", u"delay"), u"9");
  EXPECT_EQ(ini_.GetString(u"General", u"spaced"), u"two words");
  EXPECT_EQ(ini_.GetString(u" Spaced ", u"inner"), u"yes");
  EXPECT_EQ(ini_.GetString(u"Spaced", u"inner"), u"");
  EXPECT_EQ(ini_.GetString(u"General", u"missing"), u"");
  EXPECT_EQ(ini_.GetString(u"Missing", u"delay"), u"");
}

TEST_F(IniFileLookupTest, FirstDuplicateWinsAndOddHeadersBehave) {
  EXPECT_EQ(ini_.GetString(u"General", u"dup"), u"first");
  EXPECT_EQ(ini_.GetString(u"General", u"late"), u"");  // second [General] is never seen
  EXPECT_EQ(ini_.GetString(u"Broken", u"lost"), u"");
  EXPECT_EQ(ini_.GetString(u"", u"nameless"), u"1");
  EXPECT_EQ(ini_.GetString(u"", u"orphan"), u"");  // lines before any header belong to no section
}

TEST_F(IniFileLookupTest, GetIntReadsTheLeadingDecimalNumber) {
  constexpr int32_t kDefault = 42;
  EXPECT_EQ(ini_.GetInt(u"General", u"delay", kDefault), 300);
  EXPECT_EQ(ini_.GetInt(u"General", u"empty", kDefault), kDefault);
  EXPECT_EQ(ini_.GetInt(u"General", u"missing", kDefault), kDefault);
  EXPECT_EQ(ini_.GetInt(u"General", u"letters", kDefault), 0);
  EXPECT_EQ(ini_.GetInt(u"General", u"suffix", kDefault), -12);
  EXPECT_EQ(ini_.GetInt(u"General", u"plus", kDefault), 7);
  EXPECT_EQ(ini_.GetInt(u"General", u"max", kDefault), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(ini_.GetInt(u"General", u"min", kDefault), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ini_.GetInt(u"General", u"big", kDefault), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(ini_.GetInt(u"General", u"small", kDefault), std::numeric_limits<int32_t>::min());
}

TEST_F(IniFileTest, SetAppendsToTheSectionOrTheFileAndReplacesTheFirstMatch) {
  WriteFile("[A]\nk=1\nk=2\n\n; about B\n[B]\nb=1\n[A]\nk=3\n");
  {
    IniFile ini;
    ini.LoadPath(path_);
    ini.SetString(u"A", u"k", u"first");
    ini.SetString(u"A", u"new", u"x");
    ini.SetString(u"C", u"c", u"y");
  }  // the destructor saves
  EXPECT_EQ(ReadFile(), "[A]\nk=first\nk=2\n\n; about B\nnew=x\n[B]\nb=1\n[A]\nk=3\n[C]\nc=y\n");
}

TEST_F(IniFileTest, SetWritesValuesWholeButReadsThemLikeAnyLine) {
  {
    IniFile ini;
    ini.LoadPath(path_);
    ini.SetString(u"S", u"note", u" a;b ");
    ini.SetString(u"S", u"broken", u"x\n[Evil]\r\ny");
    ini.SetInt(u"S", u"negative", -42);
    ini.SetInt(u"S", u"lowest", std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ini.GetString(u"S", u"note"), u"a");
  }
  // Line breaks would forge new lines, so they turn into spaces.
  EXPECT_EQ(ReadFile(), "[S]\nnote= a;b \nbroken=x [Evil]  y\nnegative=-42\nlowest=-2147483648\n");
  IniFile reread;
  reread.LoadPath(path_);
  EXPECT_EQ(reread.GetInt(u"S", u"negative", 0), -42);
  EXPECT_EQ(reread.GetInt(u"S", u"lowest", 0), std::numeric_limits<int32_t>::min());
}

TEST_F(IniFileTest, SettingTheSameValueStillRewritesTheFile) {
  WriteFile("[S]\r\nk=v\r\n");
  SetAndSave(u"S", u"k", u"v");
  EXPECT_EQ(ReadFile(), "[S]\nk=v\n");
}

TEST_F(IniFileTest, NothingIsWrittenUnlessSomethingWasSet) {
  { IniFile().LoadPath(path_); }
  EXPECT_FALSE(fs::exists(path_));

  WriteFile("[S]\r\nk=v\r\n");
  {
    IniFile ini;
    ini.LoadPath(path_);
    EXPECT_EQ(ini.GetString(u"S", u"k"), u"v");
  }
  EXPECT_EQ(ReadFile(), "[S]\r\nk=v\r\n");
}

TEST_F(IniFileTest, FailedWriteLeavesTheOldFileAndNoLeftovers) {
  const std::string old = "[S]\nk=old\n; a comment long enough to be cut in half\n";
  WriteFile(old);
  IniFile ini;
  ini.LoadPath(path_);
  ini.SetString(u"S", u"k", u"new");
  int calls = 0;
  ini.SetWriteFunctionForTesting([&calls](int fd, const void* data, std::size_t size) -> ssize_t {
    if (calls++ == 0) return ::write(fd, data, size / 2);
    errno = EIO;
    return -1;
  });
  ini.Save();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(ReadFile(), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  // The failure cleared the modified flag, so nothing is retried later.
  ini.SetWriteFunctionForTesting(::write);
  ini.Save();
  EXPECT_EQ(ReadFile(), old);
}

TEST_F(IniFileTest, SaveIntoAnUnreachableDirectoryFailsQuietly) {
  const fs::path notADirectory = dir_ / "plain";
  std::ofstream(notADirectory) << "x";
  IniFile ini;
  ini.LoadPath(notADirectory / "tavlex.ini");
  ini.SetString(u"S", u"k", u"v");
  ini.Save();
  EXPECT_TRUE(fs::is_regular_file(notADirectory));
}

TEST_F(IniFileTest, SaveKeepsPermissionsAndWritesThroughSymlinks) {
  WriteFile("[S]\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
  const fs::path link = dir_ / "link.ini";
  fs::create_symlink(path_, link);

  IniFile ini;
  ini.LoadPath(link);
  ini.SetString(u"S", u"k", u"v");
  ini.Save();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(), "[S]\nk=v\n");
  EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(IniFileTest, LongLinesAndNonAsciiTextRoundTrip) {
  const std::u16string longValue(5000, u'x');
  const std::u16string dictionary = u"/home/u/dic/英和.dic";
  WriteFile("[Long]\nvalue=" + std::string(5000, 'y') + "\n");
  {
    IniFile ini;
    ini.LoadPath(path_);
    EXPECT_EQ(ini.GetString(u"Long", u"value"), std::u16string(5000, u'y'));
    ini.SetString(u"Long", u"other", longValue);
    ini.SetString(dictionary, u"見出し語", u"辞書 😀");
  }
  const std::string expected = "[Long]\nvalue=" + std::string(5000, 'y') +
                               "\nother=" + std::string(5000, 'x') +
                               "\n[/home/u/dic/英和.dic]\n見出し語=辞書 😀\n";
  EXPECT_EQ(ReadFile(), expected);
  IniFile reread;
  reread.LoadPath(path_);
  EXPECT_EQ(reread.GetString(u"Long", u"other"), longValue);
  EXPECT_EQ(reread.GetString(dictionary, u"見出し語"), u"辞書 😀");
}

TEST_F(IniFileTest, ByteOrderMarkIsSkippedAndBadBytesBecomeReplacements) {
  WriteFile(
      "\xEF\xBB\xBF[S]\nk=a\xFF"
      "b\n");
  IniFile ini;
  ini.LoadPath(path_);
  EXPECT_EQ(ini.GetString(u"S", u"k"),
            u"a\xFFFD"
            u"b");
  ini.SetString(u"S", u"n", u"1");
  ini.Save();
  EXPECT_EQ(ReadFile(),
            "[S]\nk=a\xEF\xBF\xBD"
            "b\nn=1\n");
}

TEST_F(IniFileTest, AByteOrderMarkAddedTwiceHidesNoSectionAndSavesAgainAsBefore) {
  WriteFile("\xEF\xBB\xBF\xEF\xBB\xBF[S]\nk=v\n");
  SetAndSave(u"S", u"x", u"1");
  SetAndSave(u"T", u"x", u"2");
  EXPECT_EQ(ReadFile(), "[S]\nk=v\nx=1\n[T]\nx=2\n");
}

// Another program saves after the load; the viewer sets all it holds at each save.
TEST_F(IniFileTest, ASaveKeepsWhatAnotherProgramSavedSinceTheLoad) {
  WriteFile("[X]\nsize=1 ; kept\n");
  IniFile ours;
  ours.LoadPath(path_);
  SetAndSave(u"X", u"size", u"2");
  for (const char16_t* name : {u"a", u"b"}) {
    ours.SetString(u"X", u"size", u"1");
    ours.SetString(u"X", u"name", name);
    ours.Save();
  }
  EXPECT_EQ(ReadFile(), "[X]\nsize=2\nname=b\n");
}

}  // namespace
}  // namespace tavlex
