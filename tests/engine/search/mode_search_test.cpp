// The search modes compared with a plain scan: random dictionaries in both
// layouts with odd block sizes, Japanese, Latin and mixed text, line breaks in
// translations; random queries drawn from their text and respelled (case,
// width, kana), one and two characters long, at the start and end of a field,
// and found nowhere. Each query runs through the full-text index, through a
// scan of every block, and through the plain model: every entry of the
// written records matched on its own, in file order.
#include "engine/search/mode_search.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/dictionary_set.h"
#include "engine/index/index_build.h"
#include "engine/index/text_index.h"
#include "tests/support/test_dictionaries.h"

namespace tavlex {
namespace {

using dicwriter::Charset;
using dicwriter::Record;

struct Found {
  std::vector<std::u16string> keys;
  std::vector<std::vector<FieldMatch>> matches;
  uint64_t total = 0;
};

Entry EntryOf(const Record& record) {
  Entry entry;
  entry.key = record.key;
  entry.display = record.display;
  entry.translation = record.translation;
  entry.pronunciation = record.pronunciation;
  entry.example = record.example;
  return entry;
}

Found Model(const std::vector<Record>& records, const SearchRequest& request, bool accents, size_t limit) {
  EntryMatcher matcher(request, accents);
  Found found;
  for (const Record& record : records) {
    std::vector<FieldMatch> matches;
    if (!matcher.Matches(EntryOf(record), &matches)) continue;
    if (found.keys.size() < limit) {
      found.keys.push_back(record.key);
      found.matches.push_back(matches);
    }
    ++found.total;
  }
  return found;
}

Found FromResults(const ModeResults& results) {
  Found found;
  for (const SearchHit& hit : results.hits) {
    found.keys.push_back(hit.entry->key);
    found.matches.push_back(hit.matches);
  }
  found.total = results.total.value_or(UINT64_MAX);
  return found;
}

class RandomText {
 public:
  RandomText(std::mt19937& random, std::u16string alphabet)
      : random_(random), alphabet_(std::move(alphabet)) {}

  std::u16string Word(int longest) {
    std::u16string word;
    for (int n = 1 + Pick(longest); n > 0; --n) word.push_back(alphabet_[Pick(alphabet_.size())]);
    return word;
  }
  std::u16string Sentence() {
    std::u16string text = Word(6);
    for (int n = Pick(5); n > 0; --n) text += (Pick(4) == 0 ? u"\r\n" : u" ") + Word(6);
    return text;
  }
  int Pick(size_t n) { return static_cast<int>(random_() % n); }

 private:
  std::mt19937& random_;
  std::u16string alphabet_;
};

// The query respelled as a user might type it: other case, full width, katakana.
std::u16string Respell(std::u16string text, int how) {
  for (char16_t& c : text) {
    if (how == 1 && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (how == 2 && c >= u'!' && c <= u'~') c = static_cast<char16_t>(c - u'!' + u'\uFF01');
    if (how == 3 && c >= u'\u3041' && c <= u'\u3096') c = static_cast<char16_t>(c + 0x60);
  }
  return text;
}

// A piece of some record's text: one or two characters, a field's start or
// end, a word; or text no record holds.
std::u16string DrawQuery(RandomText& text, const std::vector<Record>& records, bool headword) {
  const Record& record = records[text.Pick(records.size())];
  const std::array<const std::u16string*, 4> fields = {&record.key, &record.translation, &record.example,
                                                       &record.pronunciation};
  const std::u16string& field = headword ? record.key : *fields[text.Pick(4)];
  if (field.empty() || text.Pick(8) == 0) return u"\u4E59\u4E59q";
  const size_t length = std::min<size_t>(field.size(), 1 + text.Pick(4));
  switch (text.Pick(3)) {
    case 0:
      return field.substr(0, length);
    case 1:
      return field.substr(field.size() - length);
    default:
      return field.substr(text.Pick(field.size() - length + 1), length);
  }
}

SearchRequest DrawRequest(RandomText& text, const std::vector<Record>& records) {
  SearchRequest request;
  request.mode = static_cast<SearchMode>(text.Pick(5));
  request.foldKana = text.Pick(2);
  const bool headword = request.mode != SearchMode::kFullText;
  std::u16string query = Respell(DrawQuery(text, records, headword), text.Pick(4));
  if (request.mode == SearchMode::kExact && text.Pick(2))
    query = Respell(records[text.Pick(records.size())].key, 1);
  if (headword && text.Pick(3) == 0) {
    // A wildcard in place of a character, or around the query.
    const size_t at = text.Pick(query.size() + 1);
    query.insert(at, text.Pick(2) ? u"*" : u"?");
  }
  if (request.mode == SearchMode::kPrefix && query.find_first_of(u"*?") == std::u16string::npos)
    query += u"*";
  if (!headword) {
    if (text.Pick(3) == 0) query = u"\"" + query + u"\"";
    if (text.Pick(3) == 0) query += u" " + DrawQuery(text, records, false);
    request.fields = static_cast<FieldSet>(1 + text.Pick(kAllFields));
  }
  request.text = query;
  return request;
}

// A random dictionary in the round's layout, alphabet and block size, with
// its full-text index.
struct RandomDictionary {
  RandomDictionary(int round, RandomText& text, const testing::TempDir& dir) {
    const Charset charset = round % 2 ? Charset::kAnsi : Charset::kBocu1;
    dicwriter::Options options;
    options.charset = charset;
    options.blockSize = std::array{256, 300, 1024}[text.Pick(3)];
    options.maxRecordsPerBlock = text.Pick(6);
    std::vector<Record> drawn;
    for (int i = 0, count = 1 + text.Pick(200); i < count; ++i) {
      Record& record = drawn.emplace_back();
      record.key = text.Word(5);
      record.translation = text.Sentence();
      if (text.Pick(3) == 0) record.example = text.Sentence();
      if (text.Pick(4) == 0) record.pronunciation = charset == Charset::kBocu1 ? text.Word(4) : u"pr\u00E9";
      if (charset == Charset::kBocu1 && text.Pick(5) == 0) record.display = text.Word(5);
    }
    const dicwriter::WrittenDictionary written = dicwriter::WriteDictionary(std::move(drawn), options);
    records = written.records;
    const std::u16string path = dir.File("random" + std::to_string(round) + ".dic");
    dicwriter::WriteDictionaryFile(std::filesystem::path(path).string(), written);
    if (!set.Open(path)) return;
    const std::optional<IndexStamp> stamp = StampOf(dictionary());
    BuildControl control;
    if (stamp) index = TextIndex::FromBytes(*BuildIndexFile(dictionary(), *stamp, &control), *stamp);
  }
  Dictionary& dictionary() { return set.at(0); }

  std::vector<Record> records;
  DictionarySet set;
  std::shared_ptr<const TextIndex> index;
};

// Latin, Japanese, and both mixed; the ANSI layout holds no accented letters.
std::u16string Alphabet(int round) {
  const std::u16string alphabets[] = {
      round % 2 ? u"abcABz" : u"abcAB\u00E9\u00C9z",
      u"\u3042\u304C\u304B\u30A2\u30AC\u30AB\uFF71\u8F9E\u66F8",
      u"abC\u3042\u30A2\u304C\u8F9E\uFF41\uFF76\uFF9E",
  };
  return alphabets[round % 3];
}

TEST(ModeSearch, IndexAndScanMatchThePlainModel) {
  std::mt19937 random(20202);
  testing::TempDir dir;
  for (int round = 0; round < 24; ++round) {
    RandomText text(random, Alphabet(round));
    RandomDictionary subject(round, text, dir);
    ASSERT_TRUE(subject.index);
    Dictionary& dictionary = subject.dictionary();
    const std::vector<Record>& records = subject.records;
    const auto& index = subject.index;

    for (int q = 0; q < 80; ++q) {
      const SearchRequest request = DrawRequest(text, records);
      dictionary.settings().accent = text.Pick(2);
      dictionary.settings().searchMax = text.Pick(12);
      SCOPED_TRACE("round " + std::to_string(round) + " query #" + std::to_string(q) + " mode " +
                   std::to_string(static_cast<int>(request.mode)));
      const Found expected = Model(records, request, dictionary.settings().accent,
                                   static_cast<size_t>(std::max(dictionary.settings().searchMax, 1)));
      for (const TextIndex* route : {index.get(), static_cast<const TextIndex*>(nullptr)}) {
        const Found found = FromResults(SearchDictionary(dictionary, request, route, true));
        ASSERT_EQ(found.keys, expected.keys);
        ASSERT_EQ(found.matches, expected.matches);
        ASSERT_EQ(found.total, expected.total);
      }
      // Without the count, the same first hits; the count alone, as a worker thread would take it.
      ASSERT_EQ(FromResults(SearchDictionary(dictionary, request, index.get(), false)).keys, expected.keys);
      ASSERT_EQ(CountHits(dictionary, request, dictionary.settings().accent, index.get()), expected.total);
    }
  }
}

// The entries holding the query, every field folded on its own: the count
// that the index gives for one to three characters.
uint64_t PlainCount(const std::vector<Record>& records, const SearchRequest& request, bool accents) {
  const FoldOptions options{request.foldKana, accents};
  const std::u32string query = FoldedChars(request.text, options);
  uint64_t count = 0;
  for (const Record& record : records) {
    const bool headwordOnly = request.mode == SearchMode::kSubstring;
    bool found = false;
    for (const std::u16string* field :
         {&record.key, &record.display, &record.translation, &record.example, &record.pronunciation}) {
      found = found || FoldedChars(*field, options).find(query) != std::u32string::npos;
      if (headwordOnly) break;
    }
    count += found;
  }
  return count;
}

TEST(ModeSearch, TheIndexCountsWhatAVerificationWouldCount) {
  std::mt19937 random(7070);
  testing::TempDir dir;
  int fromIndex = 0, queries = 0;
  for (int round = 0; round < 18; ++round) {
    RandomText text(random, Alphabet(round));
    RandomDictionary subject(round, text, dir);
    ASSERT_TRUE(subject.index);
    Dictionary& dictionary = subject.dictionary();
    for (int q = 0; q < 60; ++q) {
      SearchRequest request;
      request.mode = text.Pick(3) ? SearchMode::kFullText : SearchMode::kSubstring;
      request.foldKana = text.Pick(2);
      request.text = Respell(DrawQuery(text, subject.records, false), text.Pick(4)).substr(0, 3);
      if (request.text.find_first_of(u" \r\n") != std::u16string::npos) continue;
      const bool accents = text.Pick(2);
      dictionary.settings().accent = accents;
      SCOPED_TRACE("round " + std::to_string(round) + " query #" + std::to_string(q));
      const uint64_t expected = PlainCount(subject.records, request, accents);
      ASSERT_EQ(CountHits(dictionary, request, accents, subject.index.get()), expected);
      ASSERT_EQ(SearchDictionary(dictionary, request, subject.index.get(), true).total, expected);
      fromIndex += EntryMatcher(request, accents).CountedByIndex().has_value();
      ++queries;
    }
  }
  // The index was asked for most of them, not only the blocks it names.
  EXPECT_GT(fromIndex, queries / 2);
}

TEST(ModeSearch, ACancelledCountTellsNoTotal) {
  testing::TempDir dir;
  std::vector<Record> records;
  for (int i = 0; i < 500; ++i)
    records.push_back(
        {u"w" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)), u"", 0, u"t", u"", u""});
  DictionarySet set;
  ASSERT_TRUE(set.Open(testing::WriteTestDictionary(dir, "many.dic", records, testing::SmallBlocks(3))));
  const std::atomic<bool> cancelled = true;
  for (const SearchMode mode : {SearchMode::kPrefix, SearchMode::kExact, SearchMode::kSubstring}) {
    const SearchRequest request{mode, mode == SearchMode::kExact ? u"w*" : u"w", kAllFields, false};
    EXPECT_EQ(CountHits(set.at(0), request, false, nullptr), 500u);
    EXPECT_EQ(CountHits(set.at(0), request, false, nullptr, &cancelled), std::nullopt);
  }
}

}  // namespace
}  // namespace tavlex
