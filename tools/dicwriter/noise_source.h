// NoiseSource: deterministic pseudo-random numbers (SplitMix64). Written out
// here rather than taken from <random> so that a seed gives the same file with
// every standard library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavlex::dicwriter {

class NoiseSource {
 public:
  explicit NoiseSource(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A value in [0, bound); the modulo bias is irrelevant for shuffling test files.
  size_t Below(size_t bound) { return static_cast<size_t>(Next() % bound); }

  void Fill(std::vector<uint8_t>& out, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      out[i] = static_cast<uint8_t>(Next() >> 56);
    }
  }

 private:
  uint64_t state_;
};

}  // namespace tavlex::dicwriter
