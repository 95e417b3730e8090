// Any byte run, decoded with a length and, zero-terminated, without one.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/format/bocu1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0) tavlex::DecodeBocu1String(data, size);
  std::vector<uint8_t> terminated(data, data + size);
  terminated.push_back(0);
  tavlex::DecodeBocu1String(terminated.data(), 0);
  return 0;
}
