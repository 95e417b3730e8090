// Figures of the look-up of a selected text (ScanText) on nine dictionaries
// of 1,000,000 real headwords, each figure beside its goal. The dictionary is
// made once into build/bench-data/ from Debian's WordNet 3.0 (every lemma,
// and phrases of two to four words from its glosses) and EDICT (headwords and
// readings), nine hard links to it registered as nine dictionaries. The texts
// are real: WordNet's example sentences of eight words or more, and Japanese
// of 24 characters or more made of EDICT's expressions and of the inflected
// forms of the right-answer sets, each followed by EDICT words. A program,
// not a test:
//
//   scan_bench [TEXTS]   (1000 of each language)
#include <malloc.h>
#include <time.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/utf8.h"
#include "bench/generated_dictionary.h"
#include "engine/dictionary_set.h"
#include "engine/search/mode_search.h"
#include "engine/search/text_scan.h"

namespace tavlex::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kEntries = 1'000'000;
constexpr int kSetSize = 9;
constexpr double kGoalMs = 5.0;
const std::filesystem::path kWordNet = "/usr/share/wordnet";
const std::filesystem::path kEdict = "/usr/share/edict/edict";

std::vector<std::string> Lines(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
  return lines;
}

// EDICT's lines, from EUC-JP.
std::vector<std::u16string> EdictLines() {
  std::vector<std::u16string> lines;
  for (const std::string& line : Lines(kEdict)) {
    const icu::UnicodeString text(line.data(), static_cast<int32_t>(line.size()), "EUC-JP");
    lines.emplace_back(text.getBuffer(), static_cast<size_t>(text.length()));
  }
  return lines;
}

struct Edict {
  std::vector<std::u16string> headwords;    // headwords and readings
  std::vector<std::u16string> expressions;  // headwords marked (exp), five characters or more
};

Edict ReadEdict() {
  Edict edict;
  for (const std::u16string& line : EdictLines()) {
    const size_t space = line.find(u' ');
    if (space == std::u16string::npos || line.starts_with(u"　")) continue;
    const std::u16string headword = line.substr(0, space);
    edict.headwords.push_back(headword);
    if (line.compare(space, 2, u" [") == 0) {
      const size_t close = line.find(u']', space);
      if (close != std::u16string::npos) edict.headwords.push_back(line.substr(space + 2, close - space - 2));
    }
    if (line.find(u"/(exp") != std::u16string::npos && headword.size() >= 5)
      edict.expressions.push_back(headword);
  }
  return edict;
}

struct WordNet {
  std::vector<std::u16string> lemmas;
  std::vector<std::u16string> glossWords;  // every gloss's words, lower case, a "" between glosses
  std::vector<std::u16string> examples;    // quoted example sentences
};

WordNet ReadWordNet() {
  WordNet wordnet;
  for (const char* pos : {"noun", "verb", "adj", "adv"}) {
    for (const std::string& line : Lines(kWordNet / (std::string("index.") + pos))) {
      if (line.empty() || line[0] == ' ') continue;
      std::string lemma = line.substr(0, line.find(' '));
      std::replace(lemma.begin(), lemma.end(), '_', ' ');
      wordnet.lemmas.push_back(Utf8ToUtf16(lemma));
    }
    for (const std::string& line : Lines(kWordNet / (std::string("data.") + pos))) {
      const size_t bar = line.find(" | ");
      if (line.empty() || line[0] == ' ' || bar == std::string::npos) continue;
      const std::string gloss = line.substr(bar + 3);
      for (size_t open = gloss.find('"'); open != std::string::npos;) {
        const size_t close = gloss.find('"', open + 1);
        if (close == std::string::npos) break;
        wordnet.examples.push_back(Utf8ToUtf16(gloss.substr(open + 1, close - open - 1)));
        open = gloss.find('"', close + 1);
      }
      std::string word;
      for (const char c : gloss.substr(0, gloss.find(';'))) {
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '\'' || c == '-') {
          word.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        } else if (!word.empty()) {
          wordnet.glossWords.push_back(Utf8ToUtf16(word));
          word.clear();
        }
      }
      if (!word.empty()) wordnet.glossWords.push_back(Utf8ToUtf16(word));
      wordnet.glossWords.emplace_back();
    }
  }
  return wordnet;
}

std::filesystem::path ScanDictionary(const WordNet& wordnet, const Edict& edict) {
  const std::filesystem::path path = std::filesystem::path(TAVLEX_BENCH_DATA) / "scan-1000000.dic";
  if (std::filesystem::exists(path)) return path;
  std::unordered_set<std::u16string> keys;
  for (const std::u16string& lemma : wordnet.lemmas) keys.insert(lemma);
  for (const std::u16string& headword : edict.headwords) keys.insert(headword);
  // Phrases of two to four words from the glosses fill the rest, as a dictionary of phrases would.
  for (size_t length = 2; length <= 4 && keys.size() < kEntries; ++length) {
    for (size_t i = 0; i + length <= wordnet.glossWords.size() && keys.size() < kEntries; ++i) {
      std::u16string phrase;
      bool whole = true;
      for (size_t w = i; w < i + length && whole; ++w) {
        whole = !wordnet.glossWords[w].empty();
        phrase += (w > i ? u" " : u"") + wordnet.glossWords[w];
      }
      if (whole) keys.insert(std::move(phrase));
    }
  }
  std::vector<dicwriter::Record> records;
  for (const std::u16string& key : keys) {
    if (key.empty() || key.find(u'\t') != std::u16string::npos) continue;
    records.push_back({key, u"", 0, u"訳語の例 " + key + u"。もうひとつの意味", u"", u""});
  }
  std::printf("writing %zu entries to %s\n", records.size(), path.c_str());
  dicwriter::Options options;
  options.blockSize = 1024;
  options.fourByteBlockNumbers = true;
  std::filesystem::create_directories(path.parent_path());
  const std::filesystem::path temporary = path.string() + ".tmp";
  dicwriter::WriteDictionaryFile(temporary.string(), dicwriter::WriteDictionary(std::move(records), options));
  std::filesystem::rename(temporary, path);
  return path;
}

std::vector<std::u16string> EnglishTexts(const WordNet& wordnet, size_t count, std::mt19937& random) {
  std::vector<std::u16string> texts;
  for (const std::u16string& example : wordnet.examples) {
    if (std::count(example.begin(), example.end(), u' ') >= 8) texts.push_back(example);
  }
  std::shuffle(texts.begin(), texts.end(), random);
  texts.resize(std::min(texts.size(), count));
  return texts;
}

std::vector<std::u16string> JapaneseTexts(const Edict& edict, size_t count, std::mt19937& random) {
  std::vector<std::u16string> starts = edict.expressions;
  for (const std::string& line : Lines(TAVLEX_SCAN_SETS "/japanese.tsv")) {
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    starts.push_back(Utf8ToUtf16(line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1)));
  }
  std::vector<std::u16string> words;
  for (const std::u16string& w : edict.headwords) {
    if (w.size() >= 2 && w.size() <= 4 && w[0] >= u'\u3041') words.push_back(w);
  }
  std::shuffle(starts.begin(), starts.end(), random);
  constexpr std::u16string_view kParticles[] = {u"を", u"に", u"が", u"は", u"で", u"と", u"の"};
  std::vector<std::u16string> texts;
  for (size_t i = 0; i < starts.size() && texts.size() < count; ++i) {
    std::u16string text = starts[i];
    while (text.size() < 30) {
      text += kParticles[random() % std::size(kParticles)];
      text += words[random() % words.size()];
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())))];
}

// The heap in use now, in MiB.
double HeapMiB() { return static_cast<double>(mallinfo2().uordblks) / (1024 * 1024); }

double MsOf(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The processor time of this thread, in ms: on a machine shared with other
// builds, the wall clock also counts the time others ran.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Figures {
  std::vector<double> scan, cpu, exact;
  size_t hits = 0, found = 0;
};

// The look-up of each text, and for comparison the exact search of the start its first group covers.
Figures Measure(DictionarySet& set, const std::vector<std::u16string>& texts, ScanMemory* memory) {
  Figures figures;
  for (const std::u16string& text : texts) {
    const Clock::time_point start = Clock::now();
    const double cpuStart = ThreadCpuMs();
    const std::vector<ScanGroup> groups = ScanText(set, text, {}, memory);
    figures.cpu.push_back(ThreadCpuMs() - cpuStart);
    figures.scan.push_back(MsOf(Clock::now() - start));
    for (const ScanGroup& group : groups) figures.hits += group.hits.size();
    if (groups.empty()) continue;
    ++figures.found;
    SearchRequest request;
    request.mode = SearchMode::kExact;
    request.text = groups.front().hits.front().form;
    const Clock::time_point exactStart = Clock::now();
    for (size_t i = 0; i < set.count(); ++i) SearchDictionary(set.at(i), request, nullptr, false);
    figures.exact.push_back(MsOf(Clock::now() - exactStart));
  }
  return figures;
}

void Report(const char* what, const Figures& f, size_t texts) {
  std::printf(
      "| %-40s | %5.2f ms | %5.2f ms | %5.2f ms | %6.2f ms | ≤ %.0f ms | %5.1f%% | %5.1f | %6.2f ms |\n",
      what, Percentile(f.scan, 0.5), Percentile(f.scan, 0.95), Percentile(f.cpu, 0.95),
      Percentile(f.scan, 1.0), kGoalMs, 100.0 * static_cast<double>(f.found) / static_cast<double>(texts),
      static_cast<double>(f.hits) / static_cast<double>(texts), Percentile(f.exact, 0.5));
}

}  // namespace
}  // namespace tavlex::bench

int main(int argc, char** argv) {
  using namespace tavlex;
  using namespace tavlex::bench;
  const size_t count = argc > 1 ? std::stoul(argv[1]) : 1000;
  std::mt19937 random(20261209);
  const WordNet wordnet = ReadWordNet();
  const Edict edict = ReadEdict();
  const std::filesystem::path dictionary = ScanDictionary(wordnet, edict);
  DictionarySet set;
  for (const std::filesystem::path& name : LinkedNames(dictionary, "scan", kSetSize)) {
    if (!set.Open(name.u16string())) {
      std::fprintf(stderr, "cannot open %s\n", name.c_str());
      return 1;
    }
    set.at(set.count() - 1).settings().searchMax = 30;
  }
  const std::vector<std::u16string> english = EnglishTexts(wordnet, count, random);
  const std::vector<std::u16string> japanese = JapaneseTexts(edict, count, random);
  // The dictionary's pages into the system's cache first.
  Measure(
      set,
      std::vector<std::u16string>(english.begin(), english.begin() + std::min<size_t>(100, english.size())),
      nullptr);

  std::printf("\nnine dictionaries of %zu entries (BOCU-1, 1024-byte blocks), searchMax 30\n\n", kEntries);
  std::printf("| %-40s | %8s | %8s | %8s | %9s | %6s | %6s | %5s | %9s |\n", "text to ranked hits", "median",
              "95th pct", "95th cpu", "slowest", "goal", "found", "hits", "exact med");
  std::printf("|---|---|---|---|---|---|---|---|---|\n");
  double memoryMiB = 0;
  for (const bool kept : {false, true}) {
    for (const auto& [language, texts] : {std::pair{"English, 8-word windows", &english},
                                          std::pair{"Japanese, 24-character windows", &japanese}}) {
      ScanMemory memory;
      const double before = HeapMiB();
      const Figures figures = Measure(set, *texts, kept ? &memory : nullptr);
      memoryMiB = std::max(memoryMiB, HeapMiB() - before);
      Report((std::string(language) + (kept ? ", memory kept" : ", afresh")).c_str(), figures, texts->size());
    }
  }
  std::printf(
      "\n%zu English and %zu Japanese texts; afresh: each look-up alone; memory kept: one ScanMemory\n"
      "for all of them. 95th cpu: of the processor time (the machine may be running other work);\n"
      "exact med: the median of the exact mode's search of the first hit's form in the nine.\n",
      english.size(), japanese.size());
  std::printf("A ScanMemory of the nine held at most %.1f MiB of heap after one language's run.\n",
              memoryMiB);
  return 0;
}
