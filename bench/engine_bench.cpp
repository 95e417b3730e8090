// Figures of the dictionary engine on generated dictionaries of a million entries.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>

#include "bench/generated_dictionary.h"
#include "engine/dictionary_set.h"

namespace tavlex::bench {
namespace {

using dicwriter::Charset;

constexpr int kMillion = 1'000'000;
constexpr int kSetSize = 9;

// A query that begins many headwords, and an exact headword.
const std::u16string kPrefixQuery = CommonPrefix();
const std::u16string kExactQuery = SomeHeadword();

// Opening: the header check, one read of the index area, the table of headword positions.
void BM_Open(benchmark::State& state, Charset charset) {
  const std::u16string path = GeneratedDictionary(kMillion, charset);
  size_t heapBytes = 0;
  int32_t indexEntries = 0;
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    auto dictionary = Dictionary::Open(path, nullptr);
    heapBytes = mallinfo2().uordblks - before;
    indexEntries = dictionary ? dictionary->indexEntryCount() : -1;
    benchmark::DoNotOptimize(dictionary);
  }
  state.counters["heap_MiB"] = static_cast<double>(heapBytes) / (1 << 20);
  state.counters["index_entries"] = indexEntries;
}
BENCHMARK_CAPTURE(BM_Open, bocu1, Charset::kBocu1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Open, ansi, Charset::kAnsi)->Unit(benchmark::kMillisecond);

// One dictionary in a set, with the settings a user would have.
struct OneDictionary {
  explicit OneDictionary(Charset charset) {
    set.Open(GeneratedDictionary(kMillion, charset));
    dictionary().settings().searchMax = 30;
    dictionary().settings().english = true;
    dictionary().settings().englishConjugation = true;
  }
  Dictionary& dictionary() { return set.at(0); }
  DictionarySet set;
};

void EmptyCache(Dictionary& dictionary) {
  const int32_t size = dictionary.settings().cacheSize;
  dictionary.SetCacheSize(0);
  dictionary.SetCacheSize(size);
}

void BM_FindIndexEntry(benchmark::State& state, Charset charset) {
  OneDictionary one(charset);
  for (auto _ : state) benchmark::DoNotOptimize(one.dictionary().FindIndexEntry(kExactQuery));
}
BENCHMARK_CAPTURE(BM_FindIndexEntry, bocu1, Charset::kBocu1);
BENCHMARK_CAPTURE(BM_FindIndexEntry, ansi, Charset::kAnsi);

void BM_SearchWarm(benchmark::State& state, Charset charset) {
  OneDictionary one(charset);
  one.dictionary().Search(kPrefixQuery);
  for (auto _ : state) one.dictionary().Search(kPrefixQuery);
  state.counters["results"] = static_cast<double>(one.dictionary().results().size());
}
BENCHMARK_CAPTURE(BM_SearchWarm, bocu1, Charset::kBocu1);
BENCHMARK_CAPTURE(BM_SearchWarm, ansi, Charset::kAnsi);

// Cold: the block cache emptied before each search; the file is in the OS page cache.
void BM_SearchCold(benchmark::State& state, Charset charset) {
  OneDictionary one(charset);
  for (auto _ : state) {
    state.PauseTiming();
    EmptyCache(one.dictionary());
    state.ResumeTiming();
    one.dictionary().Search(kPrefixQuery);
  }
  state.counters["results"] = static_cast<double>(one.dictionary().results().size());
}
BENCHMARK_CAPTURE(BM_SearchCold, bocu1, Charset::kBocu1);
BENCHMARK_CAPTURE(BM_SearchCold, ansi, Charset::kAnsi);

// An inflected word: the plain search fails, the phrase without "s" finds it.
void BM_SearchInflected(benchmark::State& state, Charset charset) {
  OneDictionary one(charset);
  const std::u16string inflected = kExactQuery + u"s";
  bool found = false;
  for (auto _ : state) found = one.dictionary().SearchInflected(inflected);
  state.counters["found"] = found;
}
BENCHMARK_CAPTURE(BM_SearchInflected, bocu1, Charset::kBocu1);
BENCHMARK_CAPTURE(BM_SearchInflected, ansi, Charset::kAnsi);

// Nine dictionaries of a million entries, each under its own path.
void BM_SearchAllNine(benchmark::State& state, bool cold) {
  DictionarySet set;
  for (const std::filesystem::path& path :
       LinkedNames(GeneratedDictionary(kMillion, Charset::kBocu1), "nine", kSetSize)) {
    set.Open(path.u16string());
    set.at(set.count() - 1).settings().searchMax = 30;
  }
  set.SearchAll(kPrefixQuery);
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      for (size_t i = 0; i < set.count(); ++i) EmptyCache(set.at(i));
      state.ResumeTiming();
    }
    set.SearchAll(kPrefixQuery);
    benchmark::DoNotOptimize(set.MergeResults());
  }
  state.counters["results"] = static_cast<double>(set.MergeResults().size());
}
BENCHMARK_CAPTURE(BM_SearchAllNine, warm, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchAllNine, cold, true)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavlex::bench

BENCHMARK_MAIN();
