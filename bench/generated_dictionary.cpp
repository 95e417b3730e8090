#include "bench/generated_dictionary.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>

#include "bench/stardict_writer.h"
#include "engine/dictionary.h"

namespace tavlex::bench {

namespace {

// Letter strings that spread like words: a short common stem, then base-26 digits.
std::u16string GeneratedHeadword(int i) {
  static constexpr const char16_t* kStems[] = {u"re", u"con", u"pre", u"ex", u"in", u"un", u"de", u"pro"};
  std::u16string word = kStems[i % 8];
  for (int n = i / 8; n > 0; n /= 26) word.push_back(static_cast<char16_t>(u'a' + n % 26));
  return word;
}

// A translation of about 400 bytes: three or four numbered senses with examples.
std::u16string LongTranslation(const std::u16string& key, int i) {
  std::u16string text;
  for (int sense = 1; sense <= 3 + i % 2; ++sense) {
    text += u"\u3010" + std::u16string(1, static_cast<char16_t>(u'0' + sense)) + u"\u3011";
    text += u"\u8A33\u8A9E\u306E\u8AAC\u660E\u3068\u7528\u4F8B " + key +
            u" \u3092\u4F7F\u3063\u305F\u6587\u3002 The " + key + u" was used here.\r\n";
  }
  return text;
}

// One Japanese sentence repeated around English-like headwords: the text the
// benchmarks had before they read real text.
std::vector<dicwriter::Record> GeneratedRecords(int entries, Shape shape) {
  std::vector<dicwriter::Record> records(static_cast<size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    dicwriter::Record& r = records[static_cast<size_t>(i)];
    r.key = GeneratedHeadword(i);
    if (shape == Shape::kLongTranslations) {
      r.translation = LongTranslation(r.key, i);
    } else {
      r.translation =
          u"\u8A33\u8A9E\u306E\u4F8B " + r.key + u"\u3002\u3082\u3046\u3072\u3068\u3064\u306E\u610F\u5473";
    }
    if (i % 4 == 0) r.pronunciation = u"pron" + r.key;
  }
  return records;
}

std::filesystem::path StarDictFolder(const std::filesystem::path& dictionary) {
  return dictionary.parent_path() / "stardict" / dictionary.stem();
}

}  // namespace

Text BenchText() {
  const char* text = std::getenv("TAVLEX_BENCH_TEXT");
  return text && std::string_view(text) == "generated" ? Text::kGenerated : Text::kReal;
}

std::u16string CommonPrefix(Text text) {
  return text == Text::kReal ? u"inter" : GeneratedHeadword(8 * 12345 + 1).substr(0, 5);
}

std::u16string SomeHeadword(Text text) {
  return text == Text::kReal ? u"dictionary" : GeneratedHeadword(8 * 23456 + 2);
}

std::u16string GeneratedDictionary(int entries, dicwriter::Charset charset, Shape shape, Text text) {
  const std::string name = std::string(text == Text::kReal ? "real-" : "") +
                           (charset == dicwriter::Charset::kBocu1 ? "bocu1" : "ansi") +
                           (shape == Shape::kLongTranslations ? "-long-" : "-") + std::to_string(entries) +
                           ".dic";
  const std::filesystem::path path = std::filesystem::path(TAVLEX_BENCH_DATA) / name;
  if (!std::filesystem::exists(path)) {
    std::fprintf(stderr, "writing %s (once)\n", path.c_str());
    std::filesystem::create_directories(path.parent_path());
    std::vector<dicwriter::Record> records =
        text == Text::kReal ? RealRecords(entries, shape, charset) : GeneratedRecords(entries, shape);
    WriteStarDict(StarDictFolder(path) / "dic", path.stem().string(), records);
    dicwriter::Options options;
    options.charset = charset;
    options.blockSize = 1024;
    options.fourByteBlockNumbers = true;
    const std::filesystem::path temporary = path.string() + ".tmp";
    dicwriter::WriteDictionaryFile(temporary.string(),
                                   dicwriter::WriteDictionary(std::move(records), options));
    std::filesystem::rename(temporary, path);
  }
  return path.u16string();
}

std::filesystem::path StarDictCopy(const std::u16string& dictionary) {
  return StarDictFolder(std::filesystem::path(dictionary));
}

std::vector<std::u16string> SampleHeadwords(const std::u16string& dictionary, size_t count, uint32_t seed) {
  const std::shared_ptr<Dictionary> opened = Dictionary::Open(dictionary, nullptr);
  if (!opened || opened->indexEntryCount() == 0) return {};
  std::mt19937 random(seed);
  std::vector<std::u16string> words;
  std::vector<Entry> entries;
  while (words.size() < count) {
    entries.clear();
    const auto block = static_cast<int32_t>(random() % static_cast<uint32_t>(opened->indexEntryCount()));
    if (!opened->LoadBlock(opened->BlockOfIndexEntry(block), true, entries) || entries.empty()) continue;
    words.push_back(entries[random() % entries.size()].key);
  }
  return words;
}

std::vector<std::filesystem::path> LinkedNames(const std::filesystem::path& dictionary,
                                               const std::string& stem, int count) {
  std::vector<std::filesystem::path> names;
  for (int i = 0; i < count; ++i) {
    const std::filesystem::path link = dictionary.parent_path() / (stem + "-" + std::to_string(i) + ".dic");
    if (!std::filesystem::exists(link)) std::filesystem::create_hard_link(dictionary, link);
    names.push_back(link);
  }
  return names;
}

void WriteDictionaryList(const std::filesystem::path& ini,
                         const std::vector<std::filesystem::path>& dictionaries) {
  std::ofstream out(ini);
  out << "[dictionary]\n";
  for (size_t i = 0; i < dictionaries.size(); ++i)
    out << "dic" << i + 1 << "=" << dictionaries[i].string() << "\n";
}

}  // namespace tavlex::bench
