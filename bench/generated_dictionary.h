// Large dictionaries for the benchmarks, generated once with the dictionary
// writer and kept in the build folder for later runs.
#pragma once

#include <string>

#include "dicwriter/dictionary_writer.h"

namespace tavlex::bench {

// The path of a generated dictionary of `entries` English-like headwords with
// Japanese translations, in the given layout with 1024-byte blocks.
std::u16string GeneratedDictionary(int entries, dicwriter::Charset charset);

// The headword of entry i of a generated dictionary (before sorting).
std::u16string GeneratedHeadword(int i);

}  // namespace tavlex::bench
