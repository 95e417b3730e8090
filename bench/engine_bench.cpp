// Figures of the dictionary engine on generated dictionaries of a million entries.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "engine/dictionary.h"
#include "generated_dictionary.h"

namespace tavlex::bench {
namespace {

constexpr int kMillion = 1'000'000;

// Opening: the header check, one read of the index area, the table of headword positions.
void BM_Open(benchmark::State& state, dicwriter::Charset charset) {
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
BENCHMARK_CAPTURE(BM_Open, bocu1, dicwriter::Charset::kBocu1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Open, ansi, dicwriter::Charset::kAnsi)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavlex::bench

BENCHMARK_MAIN();
