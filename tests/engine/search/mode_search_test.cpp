// The search modes compared with a plain scan: random dictionaries in both
// layouts with odd block sizes, Japanese, Latin and mixed text, line breaks in
// translations; random queries drawn from their text and respelled (case,
// width, kana), one and two characters long, at the start and end of a field,
// and found nowhere; prefix queries without a wildcard too, which take the
// dictionary's own prefix search. Each query runs through the full-text
// index, through a scan of every block, and through the plain model: every
// entry of the written records matched on its own, in file order, with the
// folding written out as a table for the alphabets drawn from.
#include "engine/search/mode_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <tuple>

#include "engine/dictionary_set.h"
#include "engine/index/index_build.h"
#include "engine/index/text_index.h"
#include "tests/support/random_dictionary.h"
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

// The folding of the test's alphabets, by table: full-width ASCII, the
// half-width katakana and voicing mark and the ideographic space to their
// plain forms; upper case to lower; katakana to hiragana with the kana option
// and é to e with accents; a voicing mark after か or カ makes が or ガ. Each
// folded character with the UTF-16 offset where it begins, and the length.
struct PlainFolded {
  std::u32string chars;
  std::vector<uint32_t> starts;
};

PlainFolded PlainFold(std::u16string_view text, bool kana, bool accents) {
  PlainFolded folded;
  for (uint32_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
    if (c == 0xFF71) c = 0x30A2;  // ｱ ア
    if (c == 0xFF76) c = 0x30AB;  // ｶ カ
    if (c == 0xFF9E) c = 0x3099;  // the combining voicing mark
    if (c == 0x3000) c = u' ';
    if (c >= u'A' && c <= u'Z') c += 0x20;
    if (c == 0xC9) c = 0xE9;  // É é
    if (kana && c >= 0x30A1 && c <= 0x30F6) c -= 0x60;
    if (accents && c == 0xE9) c = u'e';
    if (c == 0x3099 && !folded.chars.empty() &&
        (folded.chars.back() == 0x304B || folded.chars.back() == 0x30AB)) {
      ++folded.chars.back();
      continue;
    }
    folded.chars.push_back(c);
    folded.starts.push_back(i);
  }
  folded.starts.push_back(static_cast<uint32_t>(text.size()));
  return folded;
}

// A headword pattern: folded literal characters, kAnyOne for `?`, kAnyRun for `*`.
constexpr char32_t kAnyOne = 0x110000;
constexpr char32_t kAnyRun = 0x110001;

std::u32string PlainPattern(std::u16string_view query, bool kana, bool accents) {
  std::u32string pattern;
  std::u16string literal;
  const auto flush = [&] {
    pattern += PlainFold(literal, kana, accents).chars;
    literal.clear();
  };
  for (size_t i = 0; i < query.size(); ++i) {
    const char16_t c = query[i];
    if (c == u'\\' && i + 1 < query.size() && (query[i + 1] == u'*' || query[i + 1] == u'?')) {
      literal.push_back(query[++i]);
    } else if (c == u'*' || c == u'?') {
      flush();
      pattern.push_back(c == u'*' ? kAnyRun : kAnyOne);
    } else {
      literal.push_back(c);
    }
  }
  flush();
  return pattern;
}

// Whether all of text matches all of pattern.
bool Glob(std::u32string_view pattern, std::u32string_view text) {
  if (pattern.empty()) return text.empty();
  if (pattern[0] == kAnyRun) {
    for (size_t skip = 0; skip <= text.size(); ++skip) {
      if (Glob(pattern.substr(1), text.substr(skip))) return true;
    }
    return false;
  }
  return !text.empty() && (pattern[0] == kAnyOne || pattern[0] == text[0]) &&
         Glob(pattern.substr(1), text.substr(1));
}

// Where a headword pattern matches folded text, as folded ranges; none when
// it does not. Without a star: every place the pattern fits (from the left,
// not overlapping) where the mode lets it lie. With stars: the leftmost
// shortest stretch that the pattern without its outer stars covers.
std::optional<std::vector<std::pair<size_t, size_t>>> PlainHeadwordSpans(std::u32string pattern,
                                                                         std::u32string_view text,
                                                                         SearchMode mode) {
  const bool startFixed = mode == SearchMode::kExact || mode == SearchMode::kPrefix;
  const bool endFixed = mode == SearchMode::kExact || mode == SearchMode::kSuffix;
  const std::u32string whole = (startFixed ? U"" : std::u32string(1, kAnyRun)) + pattern +
                               (endFixed ? U"" : std::u32string(1, kAnyRun));
  if (!Glob(whole, text)) return std::nullopt;
  std::vector<std::pair<size_t, size_t>> spans;
  const size_t n = text.size();
  if (pattern.find(kAnyRun) == std::u32string::npos) {
    const size_t length = pattern.size();
    if (length == 0) return spans;
    if (startFixed || endFixed) {
      const size_t at = startFixed ? 0 : n - length;
      spans.emplace_back(at, at + length);
      return spans;
    }
    for (size_t at = 0; at + length <= n;) {
      if (Glob(pattern, text.substr(at, length))) {
        spans.emplace_back(at, at + length);
        at += length;
      } else {
        ++at;
      }
    }
    return spans;
  }
  const bool leadingStar = pattern.front() == kAnyRun;
  const bool trailingStar = pattern.back() == kAnyRun;
  while (!pattern.empty() && pattern.front() == kAnyRun) pattern.erase(0, 1);
  while (!pattern.empty() && pattern.back() == kAnyRun) pattern.pop_back();
  if (pattern.empty()) return spans;
  for (size_t begin = 0; begin <= n && (begin == 0 || !startFixed || leadingStar); ++begin) {
    for (size_t end = (endFixed && !trailingStar) ? n : begin; end <= n; ++end) {
      if (Glob(pattern, text.substr(begin, end - begin))) {
        if (end > begin) spans.emplace_back(begin, end);
        return spans;
      }
    }
  }
  return spans;
}

// The terms of a full-text query: runs between spaces, and quoted runs with
// their spaces; a term of spaces only is none.
std::vector<std::u16string> PlainTerms(std::u16string_view query) {
  const auto space = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; };
  std::vector<std::u16string> terms{u""};
  bool quoted = false;
  for (const char16_t c : query) {
    if (c == u'"' || c == u'\uFF02') {
      quoted = !quoted;
      terms.emplace_back();
    } else if (space(c) && !quoted) {
      terms.emplace_back();
    } else {
      terms.back().push_back(c);
    }
  }
  std::erase_if(terms,
                [&](const std::u16string& term) { return std::all_of(term.begin(), term.end(), space); });
  return terms;
}

// Every place in order, by field, then offset, then end: the engine's order up
// to matches that begin at one place.
std::vector<FieldMatch> Ordered(std::vector<FieldMatch> matches) {
  std::sort(matches.begin(), matches.end(), [](const FieldMatch& a, const FieldMatch& b) {
    return std::tuple(a.field, a.begin, a.end) < std::tuple(b.field, b.begin, b.end);
  });
  return matches;
}

// Whether the record is a hit for the request, and where, by the rules of the modes.
std::optional<std::vector<FieldMatch>> PlainMatches(const Record& record, const SearchRequest& request,
                                                    bool accents) {
  const std::array<std::pair<SearchField, const std::u16string*>, 5> fields{{
      {SearchField::kHeadword, &record.key},
      {SearchField::kDisplay, &record.display},
      {SearchField::kTranslation, &record.translation},
      {SearchField::kExample, &record.example},
      {SearchField::kPronunciation, &record.pronunciation},
  }};
  std::vector<FieldMatch> matches;
  const auto add = [&](SearchField field, const PlainFolded& text, size_t begin, size_t end) {
    matches.push_back({field, text.starts[begin], text.starts[end]});
  };
  if (request.mode != SearchMode::kFullText) {
    const std::u32string pattern = PlainPattern(request.text, request.foldKana, accents);
    const PlainFolded key = PlainFold(record.key, request.foldKana, accents);
    const auto spans = PlainHeadwordSpans(pattern, key.chars, request.mode);
    if (!spans) return std::nullopt;
    for (const auto& [begin, end] : *spans) add(SearchField::kHeadword, key, begin, end);
    if (!record.display.empty()) {
      const PlainFolded display = PlainFold(record.display, request.foldKana, accents);
      if (const auto shown = PlainHeadwordSpans(pattern, display.chars, request.mode)) {
        for (const auto& [begin, end] : *shown) add(SearchField::kDisplay, display, begin, end);
      }
    }
    return Ordered(matches);
  }
  FieldSet chosen = request.fields;
  if (chosen & FieldBit(SearchField::kHeadword)) chosen |= FieldBit(SearchField::kDisplay);
  std::vector<std::u32string> terms;
  for (const std::u16string& term : PlainTerms(request.text))
    terms.push_back(PlainFold(term, request.foldKana, accents).chars);
  for (const std::u32string& term : terms) {
    bool found = false;
    for (const auto& [field, text] : fields) {
      found = found || ((chosen & FieldBit(field)) &&
                        PlainFold(*text, request.foldKana, accents).chars.find(term) != std::u32string::npos);
    }
    if (!found) return std::nullopt;
  }
  for (const auto& [field, text] : fields) {
    if (!(chosen & FieldBit(field))) continue;
    const PlainFolded folded = PlainFold(*text, request.foldKana, accents);
    for (const std::u32string& term : terms) {
      for (size_t at = folded.chars.find(term); at != std::u32string::npos;
           at = folded.chars.find(term, at + term.size())) {
        add(field, folded, at, at + term.size());
      }
    }
  }
  return Ordered(matches);
}

Found Model(const std::vector<Record>& records, const SearchRequest& request, bool accents, size_t limit) {
  Found found;
  for (const Record& record : records) {
    const auto matches = PlainMatches(record, request, accents);
    if (!matches) continue;
    if (found.keys.size() < limit) {
      found.keys.push_back(record.key);
      found.matches.push_back(*matches);
    }
    ++found.total;
  }
  return found;
}

// The dictionary's own prefix search, by ordinal comparison: the run of keys
// that begin with the query, from the first one in the block that its index
// names for the query (FindIndexEntry, which the search test holds to a model
// of its own) or in the next, each marked where the query is. The total
// counts every key that begins with the query, those of earlier blocks too.
Found PrefixModel(const dicwriter::WrittenDictionary& written, int32_t indexEntry,
                  const std::u16string& query, size_t limit) {
  Found found;
  const auto& blocks = written.blocks;
  const auto& records = written.records;
  for (const Record& record : records) found.total += record.key.starts_with(query);
  if (blocks.empty()) return found;
  const size_t start = static_cast<size_t>(indexEntry);
  const size_t searched = start + 1 < blocks.size() ? start + 2 : start + 1;
  size_t r = blocks[start].firstRecord;
  const size_t end = blocks[searched - 1].firstRecord + blocks[searched - 1].recordCount;
  while (r < end && !records[r].key.starts_with(query)) ++r;
  if (r == end) return found;
  for (; r < records.size() && found.keys.size() < limit && records[r].key.starts_with(query); ++r) {
    found.keys.push_back(records[r].key);
    found.matches.push_back({{SearchField::kHeadword, 0, static_cast<uint32_t>(query.size())}});
  }
  return found;
}

Found FromResults(const ModeResults& results) {
  Found found;
  for (const SearchHit& hit : results.hits) {
    found.keys.push_back(hit.entry->key);
    found.matches.push_back(Ordered(hit.matches));
  }
  found.total = results.total.value_or(UINT64_MAX);
  return found;
}

using testing::RandomText;

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
  // Half the prefix queries without a wildcard go the dictionary's own prefix search.
  if (request.mode == SearchMode::kPrefix && query.find_first_of(u"*?") == std::u16string::npos &&
      text.Pick(2))
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
    const dicwriter::Options options = testing::RandomLayout(text, charset);
    std::vector<Record> drawn;
    for (int i = 0, count = 1 + text.Pick(200); i < count; ++i) {
      Record& record = drawn.emplace_back();
      record.key = text.Word(5);
      record.translation = text.Sentence();
      if (text.Pick(3) == 0) record.example = text.Sentence();
      if (text.Pick(4) == 0) record.pronunciation = charset == Charset::kBocu1 ? text.Word(4) : u"pr\u00E9";
      if (charset == Charset::kBocu1 && text.Pick(5) == 0) record.display = text.Word(5);
    }
    const std::string name = "random" + std::to_string(round) + ".dic";
    written = testing::WriteRandomDictionary(dir, name, std::move(drawn), options);
    records = written.records;
    if (!set.Open(dir.File(name))) return;
    const std::optional<IndexStamp> stamp = StampOf(dictionary());
    BuildControl control;
    if (stamp) index = TextIndex::FromBytes(*BuildIndexFile(dictionary(), *stamp, &control), *stamp);
  }
  Dictionary& dictionary() { return set.at(0); }

  dicwriter::WrittenDictionary written;
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
      // The prefix search keeps its hits within its cache: room for all of them.
      dictionary.SetCacheSize(32);
      SCOPED_TRACE("round " + std::to_string(round) + " query #" + std::to_string(q) + " mode " +
                   std::to_string(static_cast<int>(request.mode)));
      const size_t limit = static_cast<size_t>(std::max(dictionary.settings().searchMax, 1));
      const Found expected =
          IsPlainPrefixSearch(request)
              ? PrefixModel(subject.written, dictionary.FindIndexEntry(request.text), request.text, limit)
              : Model(records, request, dictionary.settings().accent, limit);
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
  const std::u32string query = PlainFold(request.text, request.foldKana, accents).chars;
  uint64_t count = 0;
  for (const Record& record : records) {
    const bool headwordOnly = request.mode == SearchMode::kSubstring;
    bool found = false;
    for (const std::u16string* field :
         {&record.key, &record.display, &record.translation, &record.example, &record.pronunciation}) {
      found = found || PlainFold(*field, request.foldKana, accents).chars.find(query) != std::u32string::npos;
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

// Queries of one to three terms, pieces of the records' text respelled,
// most of them letters and digits only, which the index counts from its
// words; the rest (a space, an accent, a kana inside) are verified.
TEST(ModeSearch, TheWordsCountWhatAVerificationWouldCount) {
  std::mt19937 random(4242);
  testing::TempDir dir;
  // The ANSI layout (odd rounds) holds no accented letters.
  const std::u16string alphabets[] = {u"ab1AB\u00E9\u00C9z", u"ab1ABz", u"ab2\uFF41\uFF12c",
                                      u"ab\u3042\u30A2c3"};
  int fromWords = 0, queries = 0;
  for (int round = 0; round < 18; ++round) {
    RandomText text(random, alphabets[round % 4]);
    RandomDictionary subject(round, text, dir);
    ASSERT_TRUE(subject.index);
    Dictionary& dictionary = subject.dictionary();
    for (int q = 0; q < 60; ++q) {
      SearchRequest request;
      request.mode = SearchMode::kFullText;
      request.foldKana = text.Pick(2);
      for (int terms = 1 + text.Pick(3); terms > 0; --terms) {
        std::u16string term = Respell(DrawQuery(text, subject.records, false), text.Pick(3));
        std::erase_if(term,
                      [&](char16_t c) { return c == u' ' || ((c == u'\r' || c == u'\n') && text.Pick(4)); });
        request.text += (request.text.empty() ? u"" : u" ") + term;
      }
      const bool accents = text.Pick(2);
      dictionary.settings().accent = accents;
      SCOPED_TRACE("round " + std::to_string(round) + " query #" + std::to_string(q));
      const uint64_t expected = Model(subject.records, request, accents, 0).total;
      ASSERT_EQ(CountHits(dictionary, request, accents, subject.index.get()), expected);
      ASSERT_EQ(SearchDictionary(dictionary, request, subject.index.get(), true).total, expected);
      const auto words = EntryMatcher(request, accents).CountedByWords();
      fromWords += words && (!words->foldsAccents || subject.index->accentsKeepWords());
      ++queries;
    }
  }
  // The words were asked for a good share of them (any term with another character is verified).
  EXPECT_GT(fromWords, queries / 8);
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
