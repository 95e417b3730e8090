// The spellings that the look-up of a selected text finds for a folded start,
// against a plain model: every start of every key that folds to it. The keys
// sort differently in code points, in UTF-16 units (BOCU-1 files) and in
// Shift_JIS bytes (ANSI files), and share blocks with the keys around them.
#include "engine/search/headword_probe.h"

#include <gtest/gtest.h>

#include <set>

#include "base/utf8.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

const std::vector<std::u16string> kBocu1Keys = {
    u"a",      u"ab",      u"AB",         u"a\uFF21", u"a\U0001D400", u"a\U0001D400b", u"a\uFF41b",
    u"\uFF42", u"\uE000x", u"\U0001D400", u"b\uFFFD", u"b\U00020000", u"c\u30AB\u3099"};
// Full-width letters sort before kana in Shift_JIS, after them in UTF-16.
const std::vector<std::u16string> kAnsiKeys = {u"\uFF21", u"\uFF41b", u"a\u3042", u"a\uFF21", u"ab",
                                               u"\u3042", u"\u30A2",  u"\u4E9C",  u"b\uFF42", u"b\u3044"};

// Every start of a key (never half a surrogate pair) that folds to folded.
std::set<std::u16string> ModelSpellings(const std::vector<std::u16string>& keys, const std::u32string& folded,
                                        FoldOptions options) {
  std::set<std::u16string> found;
  for (const std::u16string& key : keys) {
    for (size_t n = 0; n <= key.size(); ++n) {
      if (n > 0 && n < key.size() && key[n] >= 0xDC00 && key[n] <= 0xDFFF) continue;
      if (FoldedChars(key.substr(0, n), options) == folded) found.insert(key.substr(0, n));
    }
  }
  return found;
}

TEST(HeadwordProbe, FindsTheStartsOfKeysThatFoldAlike) {
  const std::vector<std::u16string> starts = {u"a",       u"A",           u"ab",           u"aa",
                                              u"ax",      u"a\U0001D400", u"a\U0001D400b", u"a\U0001D400c",
                                              u"b",       u"bb",          u"b\U00020000",  u"b\uFFFD",
                                              u"\uE000",  u"\uE000x",     u"\U0001D400",   u"c\u30AC",
                                              u"c\u30AB", u"z",           u"\u3042",       u"\u30A2",
                                              u"a\u3042", u"bb",          u"b\u3044"};
  testing::TempDir dir;
  for (const auto charset : {dicwriter::Charset::kBocu1, dicwriter::Charset::kAnsi})
    for (const int perBlock : {64, 2, 1}) {
      const bool ansi = charset == dicwriter::Charset::kAnsi;
      const std::vector<std::u16string>& keys = ansi ? kAnsiKeys : kBocu1Keys;
      dicwriter::Options written = testing::SmallBlocks(perBlock);
      written.charset = charset;
      const std::string name = (ansi ? "ansi" : "bocu1") + std::to_string(perBlock) + ".dic";
      const std::shared_ptr<Dictionary> dictionary =
          Dictionary::Open(testing::WriteTestDictionary(dir, name, testing::Words(keys), written), nullptr);
      ASSERT_TRUE(dictionary);
      const FoldOptions options;
      for (const std::u16string& start : starts) {
        const std::u32string folded = FoldedChars(start, options);
        ProbeBlocks blocks(16);
        HeadwordProbe probe(*dictionary, options, blocks);
        HeadwordProbe::Spellings spellings = probe.Root();
        for (const char32_t c : folded) spellings = probe.Extend(spellings, c);
        std::set<std::u16string> got;
        for (const HeadwordProbe::Spelling& spelling : spellings) got.insert(spelling.text);
        EXPECT_EQ(got, ModelSpellings(keys, folded, options)) << name << ", " << Utf16ToUtf8(start);
      }
    }
}

}  // namespace
}  // namespace tavlex
