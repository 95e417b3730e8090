#include "bench/real_records.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "bench/real_text.h"
#include "tools/dicwriter/text_encoder.h"

namespace tavlex::bench {
namespace {

constexpr size_t kLongestKey = 48;       // longer glosses are explanations, not headwords
constexpr size_t kShortDefinition = 40;  // a short entry's definition, cut at a word
constexpr size_t kMostEquivalents = 3;

uint64_t Mix(uint64_t x) {  // splitmix64: picks spread over the sources, the same on every run
  x += 0x9E3779B97F4A7C15;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EB;
  return x ^ (x >> 31);
}

template <typename T>
const T& Pick(const std::vector<T>& from, uint64_t seed) {
  return from[Mix(seed) % from.size()];
}

// A gloss without its leading tags: "(n) (uk) dog" is "dog".
std::u16string BareGloss(std::u16string_view gloss) {
  for (;;) {
    while (!gloss.empty() && gloss.front() == u' ') gloss.remove_prefix(1);
    if (gloss.empty() || gloss.front() != u'(') break;
    const size_t close = gloss.find(u')');
    if (close == std::u16string_view::npos) break;
    gloss.remove_prefix(close + 1);
  }
  if (gloss.size() > 3 && gloss.substr(0, 3) == u"to ") gloss.remove_prefix(3);  // verbs: "to run"
  return std::u16string(gloss);
}

std::u16string Cut(const std::u16string& text, size_t most) {
  if (text.size() <= most) return text;
  const size_t space = text.rfind(u' ', most);
  return text.substr(0, space == std::u16string::npos || space == 0 ? most : space);
}

std::u16string Join(const std::vector<std::u16string>& parts, std::u16string_view separator) {
  std::u16string text;
  for (const std::u16string& part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

// The sources arranged for building records.
struct Sources {
  const RealText& text;
  // English word or gloss -> Japanese words written "漢字【よみ】".
  std::unordered_map<std::u16string, std::vector<std::u16string>> japaneseFor;
  std::vector<std::u16string> glossKeys;  // edict's glosses usable as headwords, in edict order
  std::map<std::u16string, std::vector<const WordNetSense*>> sensesOf;  // by lemma, sorted
  std::vector<const WordNetSense*> adjectives, nouns;

  explicit Sources(const RealText& t) : text(t) {
    for (const EdictEntry& entry : text.edict) {
      const std::u16string written =
          entry.reading.empty() ? entry.headword : entry.headword + u"\u3010" + entry.reading + u"\u3011";
      for (const std::u16string& gloss : entry.glosses) {
        std::u16string bare = BareGloss(gloss);
        if (bare.empty() || bare.size() > kLongestKey || bare.find(u"EntL") == 0) continue;
        std::vector<std::u16string>& list = japaneseFor[bare];
        if (list.empty()) glossKeys.push_back(bare);
        if (list.size() < kMostEquivalents) list.push_back(written);
      }
    }
    for (const WordNetSense& sense : text.senses) {
      sensesOf[sense.lemma].push_back(&sense);
      if (sense.lemma.find(u' ') != std::u16string::npos) continue;
      if (sense.part == 'a') adjectives.push_back(&sense);
      if (sense.part == 'n') nouns.push_back(&sense);
    }
  }

  std::u16string Equivalents(const std::u16string& english) const {
    const auto it = japaneseFor.find(english);
    return it == japaneseFor.end() ? std::u16string() : Join(it->second, u"\u3001");
  }
};

// Collects records under distinct keys that the charset can store.
class Collector {
 public:
  Collector(size_t wanted, dicwriter::Charset charset) : wanted_(wanted), encoder_(charset) {
    records_.reserve(wanted);
  }
  bool full() const { return records_.size() >= wanted_; }
  void Add(dicwriter::Record record) {
    if (full() || record.key.empty() || !keys_.insert(record.key).second) return;
    try {
      encoder_.Text(record.key);
      encoder_.Text(record.translation);
      encoder_.Pronunciation(record.pronunciation);
    } catch (const dicwriter::WriterError&) {
      return;  // a character the code page lacks
    }
    records_.push_back(std::move(record));
  }
  std::vector<dicwriter::Record> Take() { return std::move(records_); }

 private:
  size_t wanted_;
  dicwriter::TextEncoder encoder_;
  std::unordered_set<std::u16string> keys_;
  std::vector<dicwriter::Record> records_;
};

// The English headwords in the order both shapes take them: WordNet's
// lemmas, then edict's glosses, then adjective-noun phrases.
template <typename Take>
void ForEachEnglishKey(const Sources& sources, Collector& collector, Take take) {
  for (const auto& [lemma, senses] : sources.sensesOf) {
    if (collector.full()) return;
    take(lemma, senses.front(), senses.size() > 1 ? senses[1] : nullptr);
  }
  for (const std::u16string& gloss : sources.glossKeys) {
    if (collector.full()) return;
    const auto it = sources.sensesOf.find(gloss);
    if (it == sources.sensesOf.end()) take(gloss, nullptr, nullptr);
  }
  for (uint64_t i = 0; !collector.full(); ++i) {
    const WordNetSense* adjective = Pick(sources.adjectives, 2 * i);
    const WordNetSense* noun = Pick(sources.nouns, 2 * i + 1);
    take(adjective->lemma + u" " + noun->lemma, adjective, noun);
  }
}

std::vector<dicwriter::Record> ShortRecords(const Sources& sources, Collector& collector) {
  // edict forward: every homograph's glosses in one entry.
  std::map<std::u16string, dicwriter::Record> japanese;
  for (const EdictEntry& entry : sources.text.edict) {
    dicwriter::Record& record = japanese[entry.headword];
    record.key = entry.headword;
    if (record.pronunciation.empty()) record.pronunciation = entry.reading;
    if (!record.translation.empty()) record.translation += u"; ";
    record.translation += Join(entry.glosses, u"; ");
  }
  for (auto& [key, record] : japanese) collector.Add(std::move(record));
  ForEachEnglishKey(sources, collector,
                    [&](const std::u16string& key, const WordNetSense* first, const WordNetSense* second) {
                      std::vector<std::u16string> parts;
                      for (const WordNetSense* sense : {first, second}) {
                        if (!sense) continue;
                        const std::u16string equivalents = sources.Equivalents(sense->lemma);
                        if (!equivalents.empty()) parts.push_back(equivalents);
                        parts.push_back(Cut(sense->definition, kShortDefinition));
                        if (first && second && first->lemma == second->lemma) break;  // one sense is enough
                      }
                      if (!first) parts.push_back(sources.Equivalents(key));
                      collector.Add({key, u"", 0, Join(parts, u"; "), u"", u""});
                    });
  return collector.Take();
}

std::vector<dicwriter::Record> LongRecords(const Sources& sources, Collector& collector) {
  const std::vector<std::u16string>& sentences = sources.text.japaneseSentences;
  const std::vector<WordNetSense>& all = sources.text.senses;
  uint64_t n = 0;
  ForEachEnglishKey(sources, collector,
                    [&](const std::u16string& key, const WordNetSense* first, const WordNetSense* second) {
                      ++n;
                      std::u16string translation;
                      const std::u16string equivalents = sources.Equivalents(first ? first->lemma : key);
                      const int senses = 2 + static_cast<int>(Mix(n) % 2);
                      for (int s = 0; s < senses; ++s) {
                        // The word's own senses first; other words' senses fill the rest.
                        const WordNetSense* sense = s == 0 && first    ? first
                                                    : s == 1 && second ? second
                                                                       : &Pick(all, n * 8 + s);
                        translation +=
                            u"\u3010" + std::u16string(1, static_cast<char16_t>(u'1' + s)) + u"\u3011";
                        if (s == 0 && !equivalents.empty()) translation += equivalents + u" ";
                        translation += Pick(sentences, n * 8 + s) + u" " + sense->definition;
                        if (s == 0 && !sense->examples.empty())
                          translation += u": " + sense->examples.front();
                        translation += u"\r\n";
                      }
                      collector.Add({key, u"", 0, std::move(translation), u"", u""});
                    });
  return collector.Take();
}

}  // namespace

std::vector<dicwriter::Record> RealRecords(int entries, Shape shape, dicwriter::Charset charset) {
  const Sources sources(LoadRealText());
  Collector collector(static_cast<size_t>(entries), charset);
  return shape == Shape::kShortEntries ? ShortRecords(sources, collector) : LongRecords(sources, collector);
}

}  // namespace tavlex::bench
