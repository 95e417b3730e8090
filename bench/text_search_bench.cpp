// Figures of the search modes and their full-text index on the benchmark
// dictionaries (real text; bench/generated_dictionary.h): the 340,000-entry
// one of long translations and nine of 1,000,000 short entries (hard links
// to one file, each indexed under its own path). Builds the indexes afresh,
// then runs queries drawn from the dictionaries' own text through the index
// and, for a sample, through a scan of every block; prints each figure
// beside its goal. A program, not a test:
//
//   text_search_bench [QUERIES [COUNT_EVERY [SCAN_EVERY]]]   (1000, 5, 20)
//
// The full count is measured for every COUNT_EVERY-th query and the scan for
// every SCAN_EVERY-th, since a scan reads every block.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/utf8.h"
#include "bench/generated_dictionary.h"
#include "engine/dictionary.h"
#include "engine/dictionary_set.h"
#include "engine/search/set_search.h"

namespace tavlex::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLongEntries = 340'000;
constexpr int kShortEntries = 1'000'000;
constexpr int kSetSize = 9;
constexpr int kFirstHits = 100;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())))];
}

// Resident memory now and at its peak since the last reset, in MiB.
double StatusMiB(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::string(field).size())) / 1024;
  }
  return 0;
}
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Row(const std::string& what, const std::string& figure, const std::string& goal,
         const std::string& scan = "") {
  std::printf("| %-52s | %14s | %12s | %22s |\n", what.c_str(), figure.c_str(), goal.c_str(), scan.c_str());
}
std::string Fixed(double value, const char* unit, int decimals = 1) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit);
  return text;
}

// The set under test: its dictionaries and their indexes.
struct Subject {
  explicit Subject(std::string n) : name(std::move(n)) {}
  std::string name;
  DictionarySet set;
  uint64_t dictionaryBytes = 0;
};

void Open(Subject& shape, const std::vector<std::u16string>& paths) {
  for (const std::u16string& path : paths) {
    shape.set.Open(path);
    shape.set.at(shape.set.count() - 1).settings().searchMax = kFirstHits;
    shape.dictionaryBytes += std::filesystem::file_size(std::filesystem::path(path));
  }
}

// Builds every index of the shape with `workers` threads; prints the figures.
void Build(Subject& shape, const std::filesystem::path& folder, unsigned workers,
           const std::string& timeGoal) {
  std::filesystem::remove_all(folder);
  ResetPeak();
  const double before = StatusMiB("VmRSS:");
  const double cpu = CpuSeconds();
  const Clock::time_point start = Clock::now();
  {
    TextIndexes indexes(folder, workers);
    for (size_t i = 0; i < shape.set.count(); ++i) indexes.Prepare(shape.set.at(i));
    for (size_t i = 0; i < shape.set.count(); ++i) indexes.Wait(shape.set.at(i));
  }
  const double seconds = MsSince(start) / 1000;
  uint64_t indexBytes = 0;
  for (const auto& file : std::filesystem::directory_iterator(folder)) indexBytes += file.file_size();
  const double share = 100.0 * static_cast<double>(indexBytes) / static_cast<double>(shape.dictionaryBytes);
  Row(shape.name + ": build, wall clock (" + std::to_string(workers) + " worker" + (workers > 1 ? "s)" : ")"),
      Fixed(seconds, "s"), timeGoal);
  Row(shape.name + ": build, processor time", Fixed(CpuSeconds() - cpu, "s"), "");
  Row(shape.name + ": index files / dictionaries", Fixed(share, "%", 1) + " ", "<= 40 %",
      Fixed(static_cast<double>(indexBytes) / (1 << 20), "MiB") + " of " +
          Fixed(static_cast<double>(shape.dictionaryBytes) / (1 << 20), "MiB", 0));
  Row(shape.name + ": extra peak memory while building", Fixed(StatusMiB("VmHWM:") - before, "MiB"),
      "<= 200 MiB");
}

struct Query {
  SearchRequest request;
  std::string kind;
};

bool IsJapanese(char16_t c) { return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF); }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The runs of text in which is(c) holds, longer than one character for words.
std::vector<std::u16string> Runs(std::u16string_view text, bool (*is)(char16_t), size_t shortest) {
  std::vector<std::u16string> runs;
  for (size_t i = 0; i < text.size();) {
    size_t end = i;
    while (end < text.size() && is(text[end])) ++end;
    if (end - i >= shortest) runs.emplace_back(text.substr(i, end - i));
    i = end + 1;
  }
  return runs;
}

// Queries drawn from the dictionary's own text, an entry at random for each:
// English words (of its headword or translation), Japanese runs of one to
// four characters, two words, two or three characters of its headword in
// the substring mode, and text that is nowhere.
std::vector<Query> DrawQueries(int count, const Dictionary& dictionary) {
  std::mt19937 random(2020);
  const auto pick = [&](size_t n) { return static_cast<size_t>(random() % std::max<size_t>(n, 1)); };
  std::vector<Query> queries;
  std::vector<Entry> entries;
  while (queries.size() < static_cast<size_t>(count)) {
    entries.clear();
    dictionary.LoadBlock(dictionary.BlockOfIndexEntry(
                             static_cast<int32_t>(pick(static_cast<size_t>(dictionary.indexEntryCount())))),
                         false, entries);
    if (entries.empty()) continue;
    const Entry& entry = entries[pick(entries.size())];
    const std::u16string text = entry.key + u" " + entry.translation;
    const std::vector<std::u16string> english = Runs(text, IsLetter, 2);
    const std::vector<std::u16string> japanese = Runs(text, IsJapanese, 1);
    const auto japaneseRun = [&](size_t most) {
      const std::u16string& run = japanese[pick(japanese.size())];
      const size_t length = std::min(run.size(), 1 + pick(most));
      return run.substr(pick(run.size() - length + 1), length);
    };
    if (english.empty() || japanese.empty()) continue;
    Query query;
    query.request.mode = SearchMode::kFullText;
    switch (queries.size() % 5) {
      case 0:
        query.kind = "English word";
        query.request.text = english[pick(english.size())];
        break;
      case 1:
        query.kind = "Japanese, 1-4 characters";
        query.request.text = japaneseRun(4);
        break;
      case 2:
        query.kind = "two words";
        query.request.text =
            english[pick(english.size())] + u" " + (pick(2) ? japaneseRun(2) : english[pick(english.size())]);
        break;
      case 3: {
        query.kind = "substring of headwords";
        query.request.mode = SearchMode::kSubstring;
        if (entry.key.size() < 2) continue;
        const size_t length = std::min<size_t>(entry.key.size(), 2 + pick(2));
        query.request.text = entry.key.substr(pick(entry.key.size() - length + 1), length);
        break;
      }
      default:
        query.kind = "no hit";
        query.request.text = pick(2)
                                 ? u"qqqqq" + entry.key
                                 : std::u16string(1, static_cast<char16_t>(0x5000 + pick(0x800))) + u"\u9B3C";
        break;
    }
    queries.push_back(std::move(query));
  }
  return queries;
}

struct Timings {
  std::vector<double> first;
  std::vector<double> count;
  std::vector<double> scanFirst;
  std::vector<double> scanCount;
};

double TimeSearch(Subject& shape, TextIndexes& indexes, const SearchRequest& request, IndexWait wait,
                  bool countAll) {
  const Clock::time_point start = Clock::now();
  const std::vector<DictionaryHits> hits = SearchSet(shape.set, indexes, request, wait, countAll);
  return MsSince(start);
}

void Queries(Subject& shape, const std::filesystem::path& folder, int count, int countEvery, int scanEvery) {
  TextIndexes indexes(folder);
  for (size_t i = 0; i < shape.set.count(); ++i) indexes.Wait(shape.set.at(i));
  TextIndexes none(std::filesystem::path(), 1);  // never asked: every search scans
  std::map<std::string, Timings> byKind;
  Timings all;
  const std::vector<Query> queries = DrawQueries(count, shape.set.at(0));
  for (size_t q = 0; q < queries.size(); ++q) {
    const Query& query = queries[q];
    Timings& kind = byKind[query.kind];
    const auto note = [&](std::vector<double> Timings::*list, double ms) {
      (all.*list).push_back(ms);
      (kind.*list).push_back(ms);
    };
    note(&Timings::first, TimeSearch(shape, indexes, query.request, IndexWait::kWait, false));
    // Every kind of query is sampled: they take turns.
    const size_t round = q / 5;
    if (round % countEvery == 0)
      note(&Timings::count, TimeSearch(shape, indexes, query.request, IndexWait::kWait, true));
    if (round % scanEvery == 0) {
      note(&Timings::scanFirst, TimeSearch(shape, none, query.request, IndexWait::kScan, false));
      note(&Timings::scanCount, TimeSearch(shape, none, query.request, IndexWait::kScan, true));
    }
  }
  const auto ms = [](double value) { return Fixed(value, "ms", value < 10 ? 2 : 0); };
  const double scanMedian = Percentile(all.scanFirst, 0.5);
  const double median = Percentile(all.first, 0.5);
  Row(shape.name + ": first 100 hits, median", ms(median), "<= 10 ms", "scan " + ms(scanMedian));
  Row(shape.name + ": first 100 hits, 95th percentile", ms(Percentile(all.first, 0.95)), "<= 50 ms",
      "scan " + ms(Percentile(all.scanFirst, 0.95)));
  Row(shape.name + ": full count, median", ms(Percentile(all.count, 0.5)), "",
      "scan " + ms(Percentile(all.scanCount, 0.5)));
  Row(shape.name + ": full count, 95th percentile", ms(Percentile(all.count, 0.95)), "<= 200 ms",
      "scan " + ms(Percentile(all.scanCount, 0.95)));
  Row(shape.name + ": scan / index at the median (first 100)",
      Fixed(scanMedian / std::max(median, 1e-6), "x", 0), ">= 20 x");
  for (const auto& [name, timings] : byKind) {
    Row("  " + name + ": first 100, median / p95",
        ms(Percentile(timings.first, 0.5)) + " / " + ms(Percentile(timings.first, 0.95)), "",
        "scan " + ms(Percentile(timings.scanFirst, 0.5)));
    Row("  " + name + ": count, median / p95",
        ms(Percentile(timings.count, 0.5)) + " / " + ms(Percentile(timings.count, 0.95)), "",
        "scan " + ms(Percentile(timings.scanCount, 0.5)));
  }
}

// The plain prefix search, cold (the block cache emptied), alone and while
// an index is built on another thread.
void PrefixWhileBuilding(Subject& shape, const std::filesystem::path& folder,
                         const std::u16string& longPath) {
  Dictionary& dictionary = shape.set.at(0);
  dictionary.settings().searchMax = 30;
  const auto measure = [&] {
    std::vector<double> times;
    for (const std::u16string& headword : SampleHeadwords(dictionary.path(), 2000, 7)) {
      const std::u16string query = headword.substr(0, 5);
      dictionary.SetCacheSize(0);
      dictionary.SetCacheSize(10);
      const Clock::time_point start = Clock::now();
      dictionary.Search(query);
      times.push_back(MsSince(start) * 1000);
    }
    return Percentile(times, 0.5);
  };
  const double alone = measure();
  DictionarySet other;
  other.Open(longPath);
  TextIndexes building(folder / "rebuild", 1);
  building.Prepare(other.at(0), true);
  const double during = measure();
  Row("prefix search, cold, median: alone / during a build",
      Fixed(alone, "us", 0) + " / " + Fixed(during, "us", 0), "no loss");
}

}  // namespace
}  // namespace tavlex::bench

int main(int argc, char** argv) {
  using namespace tavlex;
  using namespace tavlex::bench;
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each row as it is measured
  const int queries = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int countEvery = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const int scanEvery = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;

  const std::u16string longPath =
      GeneratedDictionary(kLongEntries, dicwriter::Charset::kBocu1, Shape::kLongTranslations);
  const std::filesystem::path shortPath(GeneratedDictionary(kShortEntries, dicwriter::Charset::kBocu1));
  std::vector<std::u16string> nine;
  for (const std::filesystem::path& path : LinkedNames(shortPath, "fulltext", kSetSize))
    nine.push_back(path.u16string());
  const std::filesystem::path folder = shortPath.parent_path() / "index-cache";

  bench::Subject longShape("long (340,000)");
  Open(longShape, {longPath});
  bench::Subject nineShape("nine x 1,000,000 short");
  Open(nineShape, nine);

  std::printf("| %-52s | %14s | %12s | %22s |\n|%s|%s|%s|%s|\n", "What", "Figure", "Goal", "Scan baseline",
              std::string(54, '-').c_str(), std::string(16, '-').c_str(), std::string(14, '-').c_str(),
              std::string(24, '-').c_str());
  Build(longShape, folder / "long", 1, "<= 15 s");
  Build(nineShape, folder / "nine", 2, "<= 60 s");
  Queries(longShape, folder / "long", queries, countEvery, scanEvery);
  Queries(nineShape, folder / "nine", queries, countEvery, scanEvery);
  PrefixWhileBuilding(nineShape, folder, longPath);
  return 0;
}
