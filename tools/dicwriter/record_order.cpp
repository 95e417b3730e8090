#include "tools/dicwriter/record_order.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace tavlex::dicwriter {
namespace {

template <typename T>
std::vector<T> Permuted(std::vector<T>& items, const std::vector<size_t>& order) {
  std::vector<T> permuted;
  permuted.reserve(items.size());
  for (size_t i : order) {
    permuted.push_back(std::move(items[i]));
  }
  return permuted;
}

}  // namespace

void SortRecords(std::vector<Record>& records, std::vector<EncodedRecord>& encoded, Charset charset) {
  std::vector<size_t> order(records.size());
  std::iota(order.begin(), order.end(), size_t{0});
  if (charset == Charset::kAnsi) {
    // std::vector<uint8_t> compares lexicographically as unsigned bytes.
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return encoded[a].headword < encoded[b].headword; });
  } else {
    std::vector<std::u16string> headwords;
    headwords.reserve(records.size());
    for (const Record& record : records) {
      headwords.push_back(StoredHeadwordText(record));
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return headwords[a] < headwords[b]; });
  }
  records = Permuted(records, order);
  encoded = Permuted(encoded, order);
}

}  // namespace tavlex::dicwriter
