// Our BOCU-1 decoder beside ICU's converter, on the same translation-like
// text: Japanese with Latin words, punctuation and line breaks.
#include <benchmark/benchmark.h>
#include <unicode/ucnv.h>

#include <string>

#include "engine/format/bocu1.h"

namespace tavlex::bench {
namespace {

const std::u16string kText =
    u"1. 行く、出かける (to go somewhere)\r\n2. 進む; 動く ~ away: 立ち去る\r\n"
    u"用例: I go to school by bus. 私はバスで学校に行く。/ɡoʊ/ ÀÉÎÕÜ αβγ";

std::string EncodeWithIcu(const std::u16string& text) {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open("BOCU-1", &error);
  std::string bytes(text.size() * 4 + 16, '\0');
  const int32_t length = ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()),
                                         text.data(), static_cast<int32_t>(text.size()), &error);
  ucnv_close(converter);
  bytes.resize(U_SUCCESS(error) ? static_cast<size_t>(length) : 0);
  return bytes;
}

void BM_DecodeBocu1Ours(benchmark::State& state) {
  const std::string bytes = EncodeWithIcu(kText);
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeBocu1String(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeBocu1Ours);

void BM_DecodeBocu1Icu(benchmark::State& state) {
  const std::string bytes = EncodeWithIcu(kText);
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open("BOCU-1", &error);
  std::u16string out(bytes.size() + 16, u'\0');
  for (auto _ : state) {
    ucnv_reset(converter);
    benchmark::DoNotOptimize(ucnv_toUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                           bytes.data(), static_cast<int32_t>(bytes.size()), &error));
  }
  ucnv_close(converter);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeBocu1Icu);

}  // namespace
}  // namespace tavlex::bench

BENCHMARK_MAIN();
