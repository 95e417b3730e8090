#include "bench/stardict_writer.h"

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "base/utf8.h"

namespace tavlex::bench {
namespace {

// StarDict's order: ASCII letters without case first, then the bytes.
bool StarDictBefore(const std::string& a, const std::string& b) {
  const int folded = ::strcasecmp(a.c_str(), b.c_str());
  return folded != 0 ? folded < 0 : std::strcmp(a.c_str(), b.c_str()) < 0;
}

void PutBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

}  // namespace

void WriteStarDict(const std::filesystem::path& folder, const std::string& name,
                   const std::vector<dicwriter::Record>& records) {
  struct Word {
    std::string key;
    std::string text;
  };
  std::vector<Word> words;
  words.reserve(records.size());
  for (const dicwriter::Record& record : records) {
    std::u16string text = record.pronunciation.empty() ? u"" : u"[" + record.pronunciation + u"] ";
    text += record.translation;
    if (!record.example.empty()) text += u"\n" + record.example;
    words.push_back({Utf16ToUtf8(record.key), Utf16ToUtf8(text)});
  }
  std::stable_sort(words.begin(), words.end(),
                   [](const Word& a, const Word& b) { return StarDictBefore(a.key, b.key); });
  std::string index;
  std::string texts;
  size_t count = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0 && words[i].key == words[i - 1].key) continue;
    index += words[i].key;
    index.push_back('\0');
    PutBigEndian(index, static_cast<uint32_t>(texts.size()));
    PutBigEndian(index, static_cast<uint32_t>(words[i].text.size()));
    texts += words[i].text;
    ++count;
  }
  std::filesystem::create_directories(folder);
  std::ofstream(folder / (name + ".idx"), std::ios::binary) << index;
  std::ofstream(folder / (name + ".dict"), std::ios::binary) << texts;
  std::ofstream(folder / (name + ".ifo"), std::ios::binary)
      << "StarDict's dict ifo file\nversion=2.4.2\nwordcount=" << count << "\nidxfilesize=" << index.size()
      << "\nbookname=" << name << "\nsametypesequence=m\n";
}

}  // namespace tavlex::bench
