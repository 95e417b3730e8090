// Large dictionaries for the benchmarks, generated once with the dictionary
// writer and kept in the build folder for later runs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::bench {

// What the generated records look like.
enum class Shape {
  kShortEntries,      // a one-line translation, a pronunciation on every fourth entry
  kLongTranslations,  // a translation of several hundred bytes: two or three records a block
};

// The path of a generated dictionary of `entries` English-like headwords with
// Japanese translations, in the given layout with 1024-byte blocks and 4-byte
// block numbers.
std::u16string GeneratedDictionary(int entries, dicwriter::Charset charset,
                                   Shape shape = Shape::kShortEntries);

// The headword of entry i of a generated dictionary (before sorting).
std::u16string GeneratedHeadword(int i);

// `count` names for one dictionary file, STEM-0.dic to STEM-(count-1).dic
// beside it: hard links, made on the first run, so that each opens as a
// dictionary of its own while all share the file's pages.
std::vector<std::filesystem::path> LinkedNames(const std::filesystem::path& dictionary,
                                               const std::string& stem, int count);

// Writes a settings file that registers `dictionaries` in the viewer.
void WriteDictionaryList(const std::filesystem::path& ini,
                         const std::vector<std::filesystem::path>& dictionaries);

}  // namespace tavlex::bench
